#!/usr/bin/python3
"""Writes Excel 97-2003 (.xls) workbooks record by record, for the .xls reader's tests: the cases
that a spreadsheet program's writer may produce and xlwt never does (shared strings split over
CONTINUE records, rich text and phonetic runs, MULRK, every compact number form, formulas with
cached results, 4096-byte sectors, an allocation table long enough to need extra DIFAT sectors),
and damaged files. Plain Python, no packages.

  varios.xls        several sheets: numbers in every form, texts, dates, empty cells and rows
  base1904.xls      dates, date-times and times counted from 1904
  sst_longo.xls     a shared-string table of many records, strings split across them (UTF-16
                    and one-byte), rich text and phonetic runs
  texto_enorme.xls  one string longer than two records
  formulas.xls      cached formula results: number, date, text, logical, error, empty text
  setor4096.xls     the workbook in 4096-byte sectors
  difat.xls         a container so big its allocation table needs extra DIFAT sectors
  pequeno.xls       the workbook stream under 4096 bytes, in the small-sector stream
  biff5.xls         an Excel 5.0/95 workbook ("Book" stream, texts in code page 1252)
  biff5_formato.xls the same with a custom date format
  dimensoes_curtas.xls  160 rows under a sheet extent that declares 40
  celula_perdida.xls    a short register and one stray note at the last row and column
  pequeno_biff5.xls pequeno.xls as an Excel 5.0/95 workbook
  dano_*.xls        damaged containers and records

Usage: escreve_xls.py FOLDER
"""

import os
import struct
import sys

FIM_CADEIA = 0xFFFFFFFE
LIVRE = 0xFFFFFFFF
SETOR_FAT = 0xFFFFFFFD
SETOR_DIFAT = 0xFFFFFFFC
MAX_REGISTRO = 8224


def registro(tipo, dados):
    return struct.pack("<HH", tipo, len(dados)) + dados


def comprimivel(texto):
    return all(ord(c) < 256 for c in texto)


def caracteres(texto, largos):
    return texto.encode("utf-16-le") if largos else texto.encode("latin-1")


def texto_unicode(texto, tamanho_1_byte=False):
    """An XLUnicodeString in one piece (labels, formats, sheet names)."""
    largos = not comprimivel(texto)
    n = struct.pack("<B", len(texto)) if tamanho_1_byte else struct.pack("<H", len(texto))
    return n + struct.pack("<B", 1 if largos else 0) + caracteres(texto, largos)


def rk_inteiro(i):
    return ((i << 2) | 0x02) & 0xFFFFFFFF


def rk_cem(i):
    """The integer i stands for i / 100."""
    return ((i << 2) | 0x03) & 0xFFFFFFFF


def rk_real(v, cem=False):
    """A double whose lower 34 bits are zero."""
    bits = struct.unpack("<Q", struct.pack("<d", v))[0]
    assert bits & 0x3FFFFFFFF == 0, v
    return ((bits >> 32) & 0xFFFFFFFC) | (0x01 if cem else 0)


class Sst:
    """The shared strings, split into a SST record and CONTINUE records as the format says: a
    string's header never splits, its characters resume after a fresh option byte, its runs
    resume anywhere."""

    def __init__(self):
        self.textos = []
        self.indices = {}
        self.usos = 0
        self.extras = {}

    def indice(self, texto, ricos=0, fonetica=0):
        self.usos += 1
        chave = (texto, ricos, fonetica)
        if chave not in self.indices:
            self.indices[chave] = len(self.textos)
            self.textos.append(chave)
        return self.indices[chave]

    def registros(self):
        pedacos = [bytearray(struct.pack("<II", self.usos, len(self.textos)))]

        def livre():
            return MAX_REGISTRO - len(pedacos[-1])

        for texto, ricos, fonetica in self.textos:
            largos = not comprimivel(texto)
            opcoes = (1 if largos else 0) | (0x08 if ricos else 0) | (0x04 if fonetica else 0)
            cab = struct.pack("<HB", len(texto), opcoes)
            if ricos:
                cab += struct.pack("<H", ricos)
            if fonetica:
                cab += struct.pack("<I", fonetica)
            if livre() < len(cab) + (2 if largos else 1):
                pedacos.append(bytearray())
            pedacos[-1] += cab
            resto = texto
            while resto:
                cabe = livre() // (2 if largos else 1)
                if cabe == 0:
                    # The rest goes on in one byte a character when it can, whatever the start
                    # was, as spreadsheet programs do.
                    largos = not comprimivel(resto)
                    pedacos.append(bytearray(struct.pack("<B", 1 if largos else 0)))
                    continue
                pedacos[-1] += caracteres(resto[:cabe], largos)
                resto = resto[cabe:]
            extra = b"\x00\x00\x01\x00" * ricos + b"\xAB" * fonetica
            while extra:
                if livre() == 0:
                    pedacos.append(bytearray())
                cabe = livre()
                pedacos[-1] += extra[:cabe]
                extra = extra[cabe:]
        saida = registro(0x00FC, bytes(pedacos[0]))
        for p in pedacos[1:]:
            saida += registro(0x003C, bytes(p))
        return saida


class Folha:
    def __init__(self, livro, nome):
        self.livro = livro
        self.nome = nome
        self.celulas = []
        self.linhas = 0
        self.colunas = 0
        self.dimensoes = None

    def _marca(self, r, c):
        self.linhas = max(self.linhas, r + 1)
        self.colunas = max(self.colunas, c + 1)

    def _celula(self, tipo, r, c, xf, dados):
        self._marca(r, c)
        self.celulas.append(registro(tipo, struct.pack("<HHH", r, c, xf) + dados))

    def numero(self, r, c, v, xf=0):
        self._celula(0x0203, r, c, xf, struct.pack("<d", v))

    def rk(self, r, c, palavra, xf=0):
        self._celula(0x027E, r, c, xf, struct.pack("<I", palavra))

    def mulrk(self, r, c, valores):
        """valores: [(xf, rk word)...] in consecutive columns from c."""
        self._marca(r, c + len(valores) - 1)
        dados = struct.pack("<HH", r, c)
        for xf, palavra in valores:
            dados += struct.pack("<HI", xf, palavra)
        dados += struct.pack("<H", c + len(valores) - 1)
        self.celulas.append(registro(0x00BD, dados))

    def texto(self, r, c, t, ricos=0, fonetica=0):
        if self.livro.biff5:
            return self.rotulo(r, c, t)
        self._celula(0x00FD, r, c, 0, struct.pack("<I", self.livro.sst.indice(t, ricos, fonetica)))

    def rotulo(self, r, c, t):
        self._celula(0x0204, r, c, 0, self.livro.cadeia(t))

    def logico(self, r, c, v):
        self._celula(0x0205, r, c, 0, struct.pack("<BB", 1 if v else 0, 0))

    def erro(self, r, c, codigo=0x07):
        self._celula(0x0205, r, c, 0, struct.pack("<BB", codigo, 1))

    def branco(self, r, c):
        self._celula(0x0201, r, c, 0, b"")

    def mulbranco(self, r, c, n):
        self._marca(r, c + n - 1)
        dados = struct.pack("<HH", r, c) + struct.pack("<H", 0) * n + struct.pack("<H", c + n - 1)
        self.celulas.append(registro(0x00BE, dados))

    def _formula(self, r, c, xf, resultado, depois=b""):
        # A formula "=1" (ptgInt 1): its cached result is what a reader shows.
        rgce = b"\x1E\x01\x00"
        dados = resultado + struct.pack("<HI", 0, 0) + struct.pack("<H", len(rgce)) + rgce
        self._celula(0x0006, r, c, xf, dados)
        self.celulas.append(depois)

    def formula_numero(self, r, c, v, xf=0):
        self._formula(r, c, xf, struct.pack("<d", v))

    def formula_texto(self, r, c, t):
        # A SHRFMLA-like record may sit between the formula and its text: a reader waits.
        self._formula(r, c, 0, b"\x00\x00\x00\x00\x00\x00\xFF\xFF",
                      registro(0x04BC, b"\x00" * 8) + registro(0x0207, self.livro.cadeia(t)))

    def formula_logico(self, r, c, v):
        self._formula(r, c, 0, struct.pack("<BBBBBBH", 1, 0, 1 if v else 0, 0, 0, 0, 0xFFFF))

    def formula_erro(self, r, c):
        self._formula(r, c, 0, struct.pack("<BBBBBBH", 2, 0, 0x07, 0, 0, 0, 0xFFFF))

    def formula_vazia(self, r, c):
        self._formula(r, c, 0, struct.pack("<BBBBBBH", 3, 0, 0, 0, 0, 0, 0xFFFF))

    def corpo(self):
        linhas, colunas = self.dimensoes or (self.linhas, self.colunas)
        dados = self.livro.bof(0x0010)
        if self.livro.biff5:
            dados += registro(0x0200, struct.pack("<HHHHH", 0, linhas, 0, colunas, 0))
        else:
            dados += registro(0x0200, struct.pack("<IIHHH", 0, linhas, 0, colunas, 0))
        for c in self.celulas:
            dados += c
        return dados + registro(0x000A, b"")


class Livro:
    # XF indexes of the styles below.
    GERAL, DATA, DATA_HORA, HORA, DATA_EMBUTIDA, DATA_HORA_EMBUTIDA, HORA_EMBUTIDA, UNIDADE = range(8)

    def __init__(self, base1904=False, biff5=False):
        self.base1904 = base1904
        self.biff5 = biff5
        self.sst = Sst()
        self.folhas = []
        self.formatos = {164: "DD/MM/YYYY", 165: "yyyy-mm-dd hh:mm:ss", 166: "[h]:mm",
                         167: '#,##0.00 "m³/s"'}
        self.xfs = [0, 164, 165, 166, 14, 22, 20, 167]
        if biff5:
            # Only built-in formats: the earlier reader misread custom ones of this format.
            self.formatos = {}
            self.xfs = [0, 14, 22, 20, 14, 22, 20, 0]

    def cadeia(self, t):
        """A cell's string: UTF-16 or one byte a character, or code page bytes before Excel 97."""
        if self.biff5:
            b = t.encode("cp1252")
            return struct.pack("<H", len(b)) + b
        return texto_unicode(t)

    def bof(self, tipo):
        if self.biff5:
            return registro(0x0809, struct.pack("<HHHH", 0x0500, tipo, 0x0DBB, 0x07CC))
        return registro(0x0809, struct.pack("<HHHHII", 0x0600, tipo, 0x0DBB, 0x07CC, 0, 0))

    def nome_folha(self, inicio, nome):
        if self.biff5:
            b = nome.encode("cp1252")
            return registro(0x0085, struct.pack("<IBBB", inicio, 0, 0, len(b)) + b)
        return registro(0x0085, struct.pack("<IBB", inicio, 0, 0) + texto_unicode(nome, True))

    def folha(self, nome):
        f = Folha(self, nome)
        self.folhas.append(f)
        return f

    def fluxo(self):
        globais = self.bof(0x0005)
        globais += registro(0x0042, struct.pack("<H", 1252 if self.biff5 else 1200))
        globais += registro(0x0022, struct.pack("<H", 1 if self.base1904 else 0))
        for i, f in self.formatos.items():
            if self.biff5:
                b = f.encode("cp1252")
                globais += registro(0x041E, struct.pack("<HB", i, len(b)) + b)
            else:
                globais += registro(0x041E, struct.pack("<H", i) + texto_unicode(f))
        for ifmt in self.xfs:
            globais += registro(0x00E0, struct.pack("<HHHHHHIIH", 0, ifmt, 0, 0, 0, 0, 0, 0, 0))
        folhas_registros = [self.nome_folha(0, f.nome) for f in self.folhas]
        depois = (b"" if self.biff5 else self.sst.registros()) + registro(0x000A, b"")
        inicio = len(globais) + sum(len(r) for r in folhas_registros) + len(depois)
        corpos = [f.corpo() for f in self.folhas]
        saida = globais
        for f, corpo in zip(self.folhas, corpos):
            saida += self.nome_folha(inicio, f.nome)
            inicio += len(corpo)
        saida += depois
        for corpo in corpos:
            saida += corpo
        return saida


def composto(fluxos, setor=512, dano=None):
    """A compound file holding the named streams in the root storage."""
    por_fat = setor // 4
    mini = bytearray()
    mini_fat = []
    entradas = []  # (name, start, size)
    grandes = []
    for nome, dados in fluxos:
        if len(dados) < 4096:
            inicio = len(mini) // 64 if dados else FIM_CADEIA
            n = (len(dados) + 63) // 64
            for k in range(n):
                mini_fat.append(inicio + k + 1 if k < n - 1 else FIM_CADEIA)
            mini += dados + b"\x00" * (n * 64 - len(dados))
            entradas.append([nome, inicio, len(dados), True])
        else:
            entradas.append([nome, None, len(dados), False])
            grandes.append((len(entradas) - 1, dados))

    def setores(n_bytes):
        return (n_bytes + setor - 1) // setor

    n_dir = setores(128 * (len(entradas) + 1))
    n_minifat = setores(4 * len(mini_fat)) if mini_fat else 0
    n_mini = setores(len(mini)) if mini else 0
    n_dados = n_dir + n_minifat + n_mini + sum(setores(len(d)) for _, d in grandes)
    n_fat, n_difat = 1, 0
    while True:
        total = n_dados + n_fat + n_difat
        fat = (total + por_fat - 1) // por_fat
        difat = (max(0, fat - 109) + por_fat - 2) // (por_fat - 1)
        if (fat, difat) == (n_fat, n_difat):
            break
        n_fat, n_difat = fat, difat

    tabela = []
    conteudo = []

    def cadeia(dados_setores):
        inicio = len(tabela)
        n = len(dados_setores)
        for k in range(n):
            tabela.append(inicio + k + 1 if k < n - 1 else FIM_CADEIA)
        conteudo.extend(dados_setores)
        return inicio

    def em_setores(dados):
        dados = bytes(dados)
        dados += b"\x00" * (setores(len(dados)) * setor - len(dados))
        return [dados[i:i + setor] for i in range(0, len(dados), setor)]

    setores_fat = list(range(n_fat))
    tabela.extend([SETOR_FAT] * n_fat)
    conteudo.extend([None] * n_fat)
    setores_difat = list(range(n_fat, n_fat + n_difat))
    tabela.extend([SETOR_DIFAT] * n_difat)
    conteudo.extend([None] * n_difat)
    inicio_dir_pos = len(tabela)
    tabela.extend([None] * n_dir)
    conteudo.extend([None] * n_dir)
    inicio_minifat = cadeia(em_setores(b"".join(struct.pack("<I", x) for x in mini_fat))) if mini_fat else FIM_CADEIA
    inicio_mini = cadeia(em_setores(mini)) if mini else FIM_CADEIA
    for i, dados in grandes:
        entradas[i][1] = cadeia(em_setores(dados))

    def entrada(nome, tipo, inicio, tamanho, filho=LIVRE, direita=LIVRE):
        nome_b = (nome + "\x00").encode("utf-16-le")
        return (nome_b + b"\x00" * (64 - len(nome_b)) + struct.pack("<HBB", len(nome_b), tipo, 1)
                + struct.pack("<III", LIVRE, direita, filho) + b"\x00" * 16 + struct.pack("<I", 0)
                + b"\x00" * 16 + struct.pack("<IQ", inicio, tamanho))

    diretorio = entrada("Root Entry", 5, inicio_mini, len(mini), 1 if entradas else LIVRE)
    for k, (nome, inicio, tamanho, _) in enumerate(entradas):
        proxima = k + 2 if k + 1 < len(entradas) else LIVRE
        diretorio += entrada(nome, 2, inicio, tamanho, direita=proxima)
    setores_dir = em_setores(diretorio)
    for k in range(n_dir):
        tabela[inicio_dir_pos + k] = inicio_dir_pos + k + 1 if k < n_dir - 1 else FIM_CADEIA
        conteudo[inicio_dir_pos + k] = setores_dir[k]

    if dano == "ciclo":
        # The workbook's chain turns back on its own first sector.
        primeiro = [e for e in entradas if not e[3]][0][1]
        s = primeiro
        while tabela[s] != FIM_CADEIA:
            s = tabela[s]
        tabela[s] = primeiro
    elif dano == "setor":
        primeiro = [e for e in entradas if not e[3]][0][1]
        tabela[primeiro] = 0x00FFFFF0
    elif dano == "ciclo_mini":
        mini_fat[-1] = 0
    elif dano == "difat":
        pass

    tabela += [LIVRE] * (n_fat * por_fat - len(tabela))
    fat_bytes = b"".join(struct.pack("<I", x) for x in tabela)
    for k in range(n_fat):
        conteudo[k] = fat_bytes[k * setor:(k + 1) * setor]
    lista = setores_fat[109:]
    for k, s in enumerate(setores_difat):
        parte = lista[k * (por_fat - 1):(k + 1) * (por_fat - 1)]
        parte += [LIVRE] * (por_fat - 1 - len(parte))
        proxima = setores_difat[k + 1] if k + 1 < len(setores_difat) else FIM_CADEIA
        if dano == "difat" and k == len(setores_difat) - 1:
            proxima = setores_difat[0]
            parte = parte[:0] + [LIVRE] * (por_fat - 1)
        conteudo[s] = b"".join(struct.pack("<I", x) for x in parte + [proxima])
    if dano == "ciclo_mini" and mini_fat:
        novo = em_setores(b"".join(struct.pack("<I", x) for x in mini_fat))
        for k, pedaco in enumerate(novo):
            conteudo[inicio_minifat + k] = pedaco

    cab = bytearray(b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + b"\x00" * 16)
    cab += struct.pack("<HHHHH", 0x3E, 3 if setor == 512 else 4, 0xFFFE,
                       9 if setor == 512 else 12, 6)
    cab += b"\x00" * 6
    cab += struct.pack("<IIIIIIIII", n_dir if setor == 4096 else 0, n_fat, inicio_dir_pos, 0,
                       4096, inicio_minifat, n_minifat,
                       setores_difat[0] if setores_difat else FIM_CADEIA, n_difat)
    cab += b"".join(struct.pack("<I", s) for s in (setores_fat[:109] +
                                                    [LIVRE] * (109 - min(109, n_fat))))
    assert len(cab) == 512
    cab += b"\x00" * (setor - 512)
    return bytes(cab) + b"".join(conteudo)


def grava(pasta, nome, dados):
    with open(os.path.join(pasta, nome), "wb") as f:
        f.write(dados)


def varios():
    livro = Livro()
    f = livro.folha("Números")
    for c, t in enumerate(["inteiro", "real", "cem", "real_cem", "numero", "mulrk",
                           "mulrk_2", "unidade", "logico", "rotulo", "vazia"]):
        f.texto(0, c, t)
    L = Livro
    linhas = [
        (rk_inteiro(7), rk_real(0.5), rk_cem(12345), rk_real(1.25, True), 3.0),
        (rk_inteiro(-536870912), rk_real(-2.0), rk_cem(-1), rk_real(1024.0, True), 0.1 + 0.2),
        (rk_inteiro(536870911), rk_real(3.0), rk_cem(100), rk_real(8.0, True), 1e20),
    ]
    for r, (i, re, cem, rc, num) in enumerate(linhas, start=1):
        f.rk(r, 0, i)
        f.rk(r, 1, re)
        f.rk(r, 2, cem)
        f.rk(r, 3, rc)
        f.numero(r, 4, num)
        f.mulrk(r, 5, [(L.GERAL, rk_inteiro(r * 10)), (L.GERAL, rk_cem(r * 7))])
        f.rk(r, 7, rk_cem(250 * r), L.UNIDADE)
        f.logico(r, 8, r % 2 == 1)
        f.rotulo(r, 9, "rótulo %d ŝ" % r)
    f.numero(5, 0, 42.0)
    f.branco(5, 1)
    f.mulbranco(5, 2, 3)
    f.texto(6, 9, "depois de uma linha vazia")

    g = livro.folha("Datas")
    for c, t in enumerate(["data", "data_hora", "hora", "embutida", "embutida_dh", "hora_emb",
                           "data_rk", "misturada"]):
        g.texto(0, c, t)
    for r, serial in enumerate([1.0, 59.0, 60.0, 61.0, 36526.75, 45000.999999, 2958465.5, -3.25,
                                0.0], start=1):
        g.numero(r, 0, serial, L.DATA)
        g.numero(r, 1, serial, L.DATA_HORA)
        g.numero(r, 2, serial, L.HORA)
        g.numero(r, 3, serial, L.DATA_EMBUTIDA)
        g.numero(r, 4, serial, L.DATA_HORA_EMBUTIDA)
        g.numero(r, 5, serial, L.HORA_EMBUTIDA)
        g.rk(r, 6, rk_inteiro(int(serial)), L.DATA)
        if r % 3 == 0:
            g.numero(r, 7, serial, L.DATA)
        elif r % 3 == 1:
            g.rk(r, 7, rk_inteiro(r), L.HORA)
        else:
            g.texto(r, 7, "não é data")
    h = livro.folha("Vazia")
    h.dimensoes = (0, 0)
    k = livro.folha("Só títulos")
    for c, t in enumerate(["a", "", "c"]):
        if t:
            k.texto(0, c, t)
    k.numero(0, 3, 5.0)
    k.texto(0, 4, "e")
    return livro


def base1904():
    livro = Livro(base1904=True)
    f = livro.folha("Datas 1904")
    for c, t in enumerate(["data", "data_hora", "hora"]):
        f.texto(0, c, t)
    for r, serial in enumerate([0.0, 1.0, 2.0, 1462.0, 35000.5, 40000.25], start=1):
        f.numero(r, 0, serial, Livro.DATA)
        f.numero(r, 1, serial, Livro.DATA_HORA)
        f.numero(r, 2, serial, Livro.HORA)
    return livro


def sst_longo():
    livro = Livro()
    f = livro.folha("Textos")
    f.texto(0, 0, "texto")
    f.texto(0, 1, "número")
    longo_1 = "Ação de outorga em São João del-Rei " * 150          # one byte a character
    longo_2 = "Ŝ—“Ωmega” água " * 300                                # UTF-16
    longo_3 = "Ŝ" + "água limpa " * 500          # UTF-16, going on in one byte a character
    for r in range(1, 1501):
        if r == 700:
            t = longo_1
        elif r == 900:
            t = longo_2
        elif r == 1100:
            t = longo_3
        elif r % 97 == 0:
            f.texto(r, 0, "rico %d ação" % r, ricos=3, fonetica=(r % 5) + 1)
            f.numero(r, 1, r / 8)
            continue
        elif r % 2:
            t = "Requerente %d — Ŝão" % r
        else:
            t = "Fazenda %d água" % r
        f.texto(r, 0, t)
        f.rk(r, 1, rk_inteiro(r))
    return livro


def texto_enorme():
    livro = Livro()
    f = livro.folha("Enorme")
    f.texto(0, 0, "t")
    f.texto(1, 0, "Ŝ" + "ção" * 6000)
    f.texto(2, 0, "x" * 20000)
    f.texto(3, 0, "fim")
    return livro


def formulas():
    livro = Livro()
    f = livro.folha("Fórmulas")
    for c, t in enumerate(["numero", "data", "texto", "logico", "erro", "vazia", "erro_celula",
                           "data_absurda"]):
        f.texto(0, c, t)
    # A day count no calendar reaches is no date (and no endless count of days).
    f.numero(1, 7, 1e300, Livro.DATA)
    f.numero(2, 7, 36526.0, Livro.DATA)
    f.formula_numero(1, 0, 2.5)
    f.formula_numero(1, 1, 36526.0, Livro.DATA)
    f.formula_texto(1, 2, "Resultado ção")
    f.formula_logico(1, 3, True)
    f.formula_erro(1, 4)
    f.formula_vazia(1, 5)
    f.erro(1, 6)
    f.formula_numero(2, 0, 3.0)
    f.formula_logico(2, 3, False)
    f.numero(2, 4, 1.0)
    f.logico(2, 6, True)
    return livro


def pequeno(biff5=False):
    livro = Livro(biff5=biff5)
    f = livro.folha("Pequena")
    f.texto(0, 0, "nome")
    f.texto(0, 1, "valor")
    f.texto(1, 0, "um")
    f.rk(1, 1, rk_inteiro(1))
    return livro


def biff5(formato=False):
    livro = Livro(biff5=True)
    if formato:
        livro.formatos = {164: "DD/MM/YYYY"}
        livro.xfs = [0, 164]
    f = livro.folha("Registro €uro")
    for c, t in enumerate(["nome", "inteiro", "real", "data", "data_hora", "hora", "formula",
                           "logico"]):
        f.texto(0, c, t)
    for r in range(1, 40):
        if r % 13 == 0:
            continue
        f.texto(r, 0, "Ação %d em São João — Œuvre €" % r)
        f.rk(r, 1, rk_inteiro(r * 3))
        f.numero(r, 2, r / 3)
        f.numero(r, 3, 30000.0 + r, 1)
        if not formato:
            f.numero(r, 4, 30000.25 + r, 2)
            f.numero(r, 5, r / 48, 3)
        f.logico(r, 7, r % 2 == 0)
    if formato:
        # The earlier reader left formulas out; only this workbook holds one.
        f.formula_texto(1, 6, "fórmula €")
    return livro


def dimensoes_curtas():
    livro = Livro()
    f = livro.folha("Registro")
    f.texto(0, 0, "nome")
    f.texto(0, 1, "valor")
    for r in range(1, 161):
        f.texto(r, 0, "linha %d" % r)
        f.rk(r, 1, rk_inteiro(r))
    f.dimensoes = (41, 2)
    return livro


def celula_perdida():
    livro = Livro()
    f = livro.folha("Registro")
    f.texto(0, 0, "nome")
    f.texto(0, 1, "valor")
    for r in range(1, 4):
        f.texto(r, 0, "linha %d" % r)
        f.numero(r, 1, r / 4)
    f.texto(65535, 255, "nota esquecida")
    return livro


def main():
    pasta = sys.argv[1]
    os.makedirs(pasta, exist_ok=True)
    wb = lambda livro: [("Workbook", livro.fluxo())]
    grava(pasta, "varios.xls", composto(wb(varios())))
    grava(pasta, "base1904.xls", composto(wb(base1904())))
    grava(pasta, "sst_longo.xls", composto(wb(sst_longo())))
    grava(pasta, "texto_enorme.xls", composto(wb(texto_enorme())))
    grava(pasta, "formulas.xls", composto(wb(formulas())))
    grava(pasta, "setor4096.xls", composto(wb(sst_longo()), setor=4096))
    grava(pasta, "pequeno.xls", composto(wb(pequeno())))
    grava(pasta, "biff5.xls", composto([("Book", biff5().fluxo())]))
    grava(pasta, "pequeno_biff5.xls", composto([("Book", pequeno(True).fluxo())]))
    grava(pasta, "biff5_formato.xls", composto([("Book", biff5(True).fluxo())]))
    assert len(pequeno().fluxo()) < 4096
    # A bulky stream beside the workbook makes the allocation table outgrow the header's list.
    volume = [("Volume", b"\x5A" * (8 * 1024 * 1024))]
    grava(pasta, "difat.xls", composto(wb(varios()) + volume))
    grava(pasta, "dano_ciclo.xls", composto(wb(sst_longo()), dano="ciclo"))
    grava(pasta, "dano_setor.xls", composto(wb(sst_longo()), dano="setor"))
    grava(pasta, "dano_ciclo_mini.xls", composto(wb(pequeno()), dano="ciclo_mini"))
    grava(pasta, "dano_difat.xls", composto(wb(varios()) + volume, dano="difat"))
    # The workbook stream ends inside a sheet's record.
    grava(pasta, "dano_registro.xls", composto([("Workbook", sst_longo().fluxo()[:-30])]))
    fluxo = varios().fluxo()
    # A sheet name claims more characters than its record holds.
    sem_nome = bytearray(fluxo)
    k = sem_nome.find(b"\x85\x00")
    sem_nome[k + 10] = 0xFF
    grava(pasta, "dano_nome.xls", composto([("Workbook", bytes(sem_nome))]))
    grava(pasta, "dimensoes_curtas.xls", composto(wb(dimensoes_curtas())))
    grava(pasta, "celula_perdida.xls", composto(wb(celula_perdida())))
    # A container without a workbook stream.
    grava(pasta, "sem_livro.xls", composto([("Outro", b"\x00" * 100)]))


if __name__ == "__main__":
    main()
