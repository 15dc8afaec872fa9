#!/usr/bin/python3
"""Writes a small Jet 4 (Access 2000) database from a JSON description, for the migration tests.

The file holds what a reader needs and nothing more: the database definition page (page 0, its
header RC4-masked as Jet does, no database key), one data page of usage maps, the MSysObjects
catalogue (definition at page 2), and for each table a definition page followed by its data
pages, which the table's usage map lists. There are no indexes, no properties and no free space
pages. Texts are stored as plain UCS-2; memos inline in their row.

Description (UTF-8 JSON):
  {"tabelas": [{"nome": "Rios",
                "colunas": [["codRio", "Long"], ["Nome", "Text", 61]],
                "linhas": [[1, "Rio São João"], [2, null]]}, ...]}
Column types: Byte, Integer (16 bits), Long (32 bits), Single, Double, DateTime, Text (size in
characters), Memo, Boolean. A DateTime value is "AAAA-MM-DD" or "AAAA-MM-DDTHH:MM:SS"; null is an
empty cell. Values are written as given, without checking them against the type beyond what
packing needs, so that a test can store what the migration must refuse.

Usage: escreve_mdb.py DESCRICAO.json SAIDA.mdb
"""

import datetime
import json
import struct
import sys

PAGINA = 4096

TIPOS = {
    # name: (code, fixed size in bytes or None for variable)
    "Boolean": (0x01, 0),
    "Byte": (0x02, 1),
    "Integer": (0x03, 2),
    "Long": (0x04, 4),
    "Single": (0x06, 4),
    "Double": (0x07, 8),
    "DateTime": (0x08, 8),
    "Text": (0x0A, None),
    "OLE": (0x0B, None),
    "Memo": (0x0C, None),
}

EPOCA = datetime.datetime(1899, 12, 30)


def rc4(chave, dados):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + chave[i % len(chave)]) & 0xFF
        s[i], s[j] = s[j], s[i]
    saida = bytearray()
    i = j = 0
    for b in dados:
        i = (i + 1) & 0xFF
        j = (j + s[i]) & 0xFF
        s[i], s[j] = s[j], s[i]
        saida.append(b ^ s[(s[i] + s[j]) & 0xFF])
    return bytes(saida)


def ucs2(texto):
    return texto.encode("utf-16-le")


class Coluna:
    def __init__(self, numero, definicao):
        self.nome = definicao[0]
        self.tipo = definicao[1]
        self.codigo, self.fixo = TIPOS[self.tipo]
        self.numero = numero
        if self.tipo == "Text":
            self.tamanho = 2 * (definicao[2] if len(definicao) > 2 else 255)
        elif self.fixo is None:
            self.tamanho = 0
        else:
            self.tamanho = self.fixo
        self.deslocamento_fixo = 0
        self.numero_variavel = 0

    @property
    def e_fixa(self):
        return self.fixo is not None

    def empacota(self, valor):
        t = self.tipo
        if t == "Byte":
            return struct.pack("<B", valor)
        if t == "Integer":
            return struct.pack("<h", valor)
        if t == "Long":
            return struct.pack("<i", valor)
        if t == "Single":
            return struct.pack("<f", valor)
        if t == "Double":
            return struct.pack("<d", valor)
        if t == "DateTime":
            momento = datetime.datetime.fromisoformat(valor)
            return struct.pack("<d", (momento - EPOCA).total_seconds() / 86400.0)
        if t == "Text":
            return ucs2(str(valor))
        if t == "Memo":
            texto = ucs2(str(valor))
            # Inline memo: length with the 0x80 flag in its top byte, then 8 bytes unused.
            return struct.pack("<I", len(texto) | 0x80000000) + bytes(8) + texto
        if t == "OLE":
            return bytes(valor)
        raise ValueError(t)


class Tabela:
    def __init__(self, nome, colunas, linhas, sistema=False):
        self.nome = nome
        self.colunas = [Coluna(i, c) for i, c in enumerate(colunas)]
        self.linhas = linhas
        self.sistema = sistema
        fixo = 0
        variavel = 0
        for c in self.colunas:
            if c.e_fixa:
                c.deslocamento_fixo = fixo
                fixo += c.tamanho
            else:
                c.numero_variavel = variavel
                variavel += 1
        self.tamanho_fixo = fixo
        self.num_variaveis = variavel
        self.pagina_tdef = 0
        self.paginas_dados = []
        self.mapa = 0  # page << 8 | row of the usage map
        self.mapa_livre = 0

    def linha(self, valores):
        if len(valores) != len(self.colunas):
            raise ValueError("%s: linha com %d valores" % (self.nome, len(valores)))
        n = len(self.colunas)
        mascara = bytearray((n + 7) // 8)
        fixos = bytearray(self.tamanho_fixo)
        variaveis = []
        for c, v in zip(self.colunas, valores):
            presente = v is not None
            if c.tipo == "Boolean":
                presente = bool(v)  # a boolean lives in the null mask
            elif presente and c.e_fixa:
                dados = c.empacota(v)
                fixos[c.deslocamento_fixo:c.deslocamento_fixo + len(dados)] = dados
            if not c.e_fixa:
                variaveis.append(c.empacota(v) if presente else b"")
            if presente:
                mascara[c.numero // 8] |= 1 << (c.numero % 8)
        corpo = bytearray(struct.pack("<H", n)) + fixos
        if self.num_variaveis:
            inicios = []
            for dados in variaveis:
                inicios.append(len(corpo))
                corpo += dados
            fim = len(corpo)
            # End of data first, then the starts from the last column to the first.
            corpo += struct.pack("<H", fim)
            for inicio in reversed(inicios):
                corpo += struct.pack("<H", inicio)
            corpo += struct.pack("<H", self.num_variaveis)
        corpo += mascara
        return bytes(corpo)

    def tdef(self):
        cabecalho = bytearray(63)
        struct.pack_into("<I", cabecalho, 16, len(self.linhas))
        cabecalho[24] = 0x01
        cabecalho[40] = 0x53 if self.sistema else 0x4E
        n = len(self.colunas)
        struct.pack_into("<HHH", cabecalho, 41, n, self.num_variaveis, n)
        struct.pack_into("<II", cabecalho, 47, 0, 0)
        struct.pack_into("<II", cabecalho, 55, self.mapa, self.mapa_livre)
        corpo = bytearray(cabecalho)
        for c in self.colunas:
            d = bytearray(25)
            d[0] = c.codigo
            struct.pack_into("<HHH", d, 5, c.numero, 0 if c.e_fixa else c.numero_variavel, c.numero)
            if c.tipo in ("Text", "Memo"):
                struct.pack_into("<H", d, 11, 0x0409)
            d[15] = (0x01 if c.e_fixa else 0x00) | 0x02
            struct.pack_into("<HH", d, 21, c.deslocamento_fixo if c.e_fixa else 0, c.tamanho)
            corpo += d
        for c in self.colunas:
            nome = ucs2(c.nome)
            corpo += struct.pack("<H", len(nome)) + nome
        corpo += struct.pack("<H", 0xFFFF)
        if len(corpo) > PAGINA:
            raise ValueError("%s: definição maior que uma página" % self.nome)
        pagina = bytearray(PAGINA)
        pagina[0:2] = b"\x02\x01"
        struct.pack_into("<H", pagina, 2, PAGINA - len(corpo) - 8)
        struct.pack_into("<I", pagina, 4, 0)
        pagina[8:len(corpo)] = corpo[8:]
        struct.pack_into("<I", pagina, 8, len(corpo) - 8)
        return bytes(pagina)


def pagina_dados(dono, linhas):
    """A data page holding the given rows, from the end of the page down."""
    pagina = bytearray(PAGINA)
    pagina[0:2] = b"\x01\x01"
    struct.pack_into("<I", pagina, 4, dono)
    struct.pack_into("<H", pagina, 12, len(linhas))
    fim = PAGINA
    for i, linha in enumerate(linhas):
        inicio = fim - len(linha)
        pagina[inicio:fim] = linha
        struct.pack_into("<H", pagina, 14 + 2 * i, inicio)
        fim = inicio
    livre = fim - (14 + 2 * len(linhas))
    if livre < 0:
        raise ValueError("página cheia")
    struct.pack_into("<H", pagina, 2, livre)
    return bytes(pagina)


def reparte(linhas):
    """Splits packed rows into groups that fit in a data page."""
    grupos = [[]]
    usado = 14
    for linha in linhas:
        custo = len(linha) + 2
        if custo + 14 > PAGINA:
            raise ValueError("linha maior que uma página")
        if usado + custo > PAGINA:
            grupos.append([])
            usado = 14
        grupos[-1].append(linha)
        usado += custo
    return [g for g in grupos if g] or []


def mapa_uso(paginas):
    """A type 0 usage map: its first page, then one bit per page from there."""
    if not paginas:
        return b"\x00" + struct.pack("<I", 0) + bytes(1)
    inicio = min(paginas)
    bits = bytearray((max(paginas) - inicio) // 8 + 1)
    for p in paginas:
        bits[(p - inicio) // 8] |= 1 << ((p - inicio) % 8)
    return b"\x00" + struct.pack("<I", inicio) + bytes(bits)


def cabecalho_base():
    pagina = bytearray(PAGINA)
    pagina[0:4] = b"\x00\x01\x00\x00"
    pagina[4:20] = b"Standard Jet DB\x00"
    struct.pack_into("<I", pagina, 0x14, 1)  # Jet 4
    mascarado = bytearray(128)
    struct.pack_into("<H", mascarado, 0x3C - 0x18, 1252)  # code page
    struct.pack_into("<I", mascarado, 0x3E - 0x18, 0)  # no database key: pages in clear
    struct.pack_into("<H", mascarado, 0x6E - 0x18, 0x0409)  # sort order: General
    pagina[0x18:0x18 + 128] = rc4(struct.pack("<I", 0x6B39DAC7), bytes(mascarado))
    return bytes(pagina)


def escreve(descricao, saida):
    usuarias = [Tabela(t["nome"], t["colunas"], t.get("linhas", [])) for t in descricao["tabelas"]]
    catalogo_colunas = [["Id", "Long"], ["ParentId", "Long"], ["Name", "Text", 128],
                        ["Type", "Integer"], ["Flags", "Long"], ["LvProp", "OLE"]]

    # Pages: 0 header, 1 usage maps, 2 catalogue definition, then the catalogue's data, then each
    # table's definition and data. The catalogue's rows hold the definition pages, so the
    # layout of the user tables is fixed first.
    linhas_usuarias = [[t.linha(v) for v in t.linhas] for t in usuarias]
    grupos_usuarias = [reparte(ls) for ls in linhas_usuarias]
    n_catalogo = 1 + len(usuarias)
    linha_catalogo_max = 2 + 4 + 4 + 4 + 2 + 4 + 2 * 128 + 2 * 8 + 1
    paginas_catalogo = -(-n_catalogo * (linha_catalogo_max + 2) // (PAGINA - 14))
    proxima = 3 + paginas_catalogo
    for t, grupos in zip(usuarias, grupos_usuarias):
        t.pagina_tdef = proxima
        t.paginas_dados = list(range(proxima + 1, proxima + 1 + len(grupos)))
        proxima += 1 + len(grupos)

    catalogo_linhas = [[2, 0x0F000001, "MSysObjects", 1, -2147483646, None]]
    for t in usuarias:
        catalogo_linhas.append([t.pagina_tdef, 0x0F000001, t.nome, 1, 0, None])
    catalogo = Tabela("MSysObjects", catalogo_colunas, catalogo_linhas, sistema=True)
    catalogo.pagina_tdef = 2
    grupos_catalogo = reparte([catalogo.linha(v) for v in catalogo_linhas])
    assert len(grupos_catalogo) <= paginas_catalogo
    catalogo.paginas_dados = list(range(3, 3 + len(grupos_catalogo)))

    todas = [catalogo] + usuarias
    mapas = []
    for t in todas:
        t.mapa = (1 << 8) | len(mapas)
        mapas.append(mapa_uso(t.paginas_dados))
        t.mapa_livre = (1 << 8) | len(mapas)
        mapas.append(mapa_uso([]))

    paginas = {0: cabecalho_base(), 1: pagina_dados(0, mapas), 2: catalogo.tdef()}
    for p, g in zip(catalogo.paginas_dados, grupos_catalogo):
        paginas[p] = pagina_dados(2, g)
    for p in range(3 + len(grupos_catalogo), 3 + paginas_catalogo):
        paginas[p] = pagina_dados(2, [])  # room the catalogue did not need: an empty page of it
    for t, grupos in zip(usuarias, grupos_usuarias):
        paginas[t.pagina_tdef] = t.tdef()
        for p, g in zip(t.paginas_dados, grupos):
            paginas[p] = pagina_dados(t.pagina_tdef, g)

    with open(saida, "wb") as f:
        for p in range(proxima):
            f.write(paginas[p])


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        descricao = json.load(f)
    escreve(descricao, sys.argv[2])


if __name__ == "__main__":
    main()
