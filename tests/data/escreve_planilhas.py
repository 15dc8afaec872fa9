#!/usr/bin/python3
"""Writes the register workbooks used by the data module's tests into a folder.

.xls files (Excel 97-2003) through xlwt, .xlsx files through GDAL's XLSX driver, with the same
content, so that both readers are checked against the same expectations:

  aqem.xls / aqem.xlsx               the state register, three sheets
  ana.xls / ana.xlsx                 the federal register, one sheet
  aqem_sem_certidoes.xls             the state register without its certificates sheet
  ana_folha_errada.xls               the federal register under another sheet name
  ana_vazia.xls                      the federal sheet with its headings and no rows (GDAL's
                                     writer leaves out the heading row of a sheet without rows)
  aqem_sem_titulo.xls / .xlsx        the state register whose groundwater sheet lacks
                                     "Vazão (m³/h)"
  mista.xls / mista.json             a sheet mixing cell types in every column, and how GDAL's
                                     own .xls layer reads it (types, and each cell as text)
  grande.xls / grande_1904.xls       3,000 rows of every cell kind over two sheets, dates counted
                                     from 1900 and from 1904

Usage: escreve_planilhas.py FOLDER
"""

import datetime
import json
import os
import sys

import xlwt
from osgeo import gdal, ogr

gdal.UseExceptions()

SUPERFICIAL = "Outorgas Água Superficial"
SUBTERRANEA = "Outorgas Água Subterrânea"
CERTIDOES = "Certidões de Uso Insignificante"
ANA = "Outorgas ANA"

COLUNAS_OUTORGAS = [
    "Nº Processo", "Data entrada", "Requerente", "Nº Portaria", "Data Publicação", "Município",
    "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude", "Longitude", "Vazão (m³/s)",
    "Vazão (m³/h)", "Local", "Tipo Outorga", "Obs", "Validade (anos)", "Finalidade", "Uso",
    "Profundidade (m)", "NE/ND",
]
COLUNAS_CERTIDOES = [
    "Nº Processo", "Data entrada", "Requerente", "Nº Certidão", "Data Expedição", "Município",
    "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude", "Longitude", "Vazão (m³/s)",
    "Vazão (m³/h)", "Tipo", "Obs", "Validade (anos)", "Local", "Finalidade", "Uso", "UPGRH",
    "Profundidade (m)", "NE/ND", "F23",
]
USOS = [
    "Abastecimento", "Aquicultura", "Indústria", "Irrigação", "Saneamento", "Mineração",
    "PequenosUsos", "Hidrogeração", "Termogeração", "Obras", "Diversos", "Serviços", "Travessia",
    "Navegação", "Lazer", "Outros",
]
COLUNAS_ANA = ["NomeReq", "NrPort01", "DataPub01", "DataVenc01", "NrPort02", "DataPub02",
               "DataVenc02", "Latitude", "Hemisferio", "Longitude", "Uf", "NOME_SIMPLIFICADO_IBGE",
               "TipoMan", "Rios", "Bacia1", "Finalidade",
               "Qc01 (m³/h)", "Tc01 (h/dia)", "Pc01 (dias/mês)"]
for mes in range(2, 13):
    COLUNAS_ANA += ["Qc%02d" % mes, "Tc%02d" % mes, "Pc%02d" % mes]
COLUNAS_ANA += USOS

D = datetime.date
DT = datetime.datetime

# Rows as {heading: value}; a heading left out is an empty cell.
LINHAS_SUPERFICIAL = [
    {"Nº Processo": "01234/2005", "Data entrada": D(2005, 3, 15), "Requerente": "Fazenda Boa Vista",
     "Nº Portaria": 101, "Data Publicação": D(2005, 6, 1), "Município": "Unaí",
     "Rio Estadual": "Ribeirão Entre Ribeiros", "Rio Federal": "Rio Paracatu",
     "Recurso hídrico": "Superficial", "Latitude": 194530, "Longitude": 434512,
     "Vazão (m³/s)": 0.25, "Local": "Captação a fio d'água", "Tipo Outorga": "Portaria",
     "Obs": "Renovação", "Validade (anos)": 10, "Finalidade": "Irrigação", "Uso": "Consuntivo",
     "Profundidade (m)": 0, "NE/ND": "-"},
    # Empty cells everywhere but the name and the flow.
    {"Requerente": "Sem Coordenadas Ltda.", "Vazão (m³/s)": 1.5},
    {"Nº Processo": "00077/2010", "Data entrada": DT(2010, 1, 2, 10, 30, 0),
     "Requerente": "José da Conceição", "Nº Portaria": 2345, "Data Publicação": D(1999, 12, 31),
     "Latitude": 171005, "Longitude": 460159, "Vazão (m³/s)": -0.125, "Validade (anos)": 5},
]
LINHAS_SUBTERRANEA = [
    {"Nº Processo": "00500/2001", "Requerente": "Poço Artesiano S.A.", "Nº Portaria": 77,
     "Data Publicação": D(2001, 2, 28), "Latitude": 180000, "Longitude": 450000,
     "Vazão (m³/s)": "ver m³/h", "Vazão (m³/h)": 3.6, "Profundidade (m)": 120.5},
]
LINHAS_CERTIDOES = [
    {"Nº Processo": "09999/2012", "Requerente": "Sítio Dois Irmãos", "Nº Certidão": 15,
     "Data Expedição": D(2012, 7, 9), "Latitude": 175959, "Longitude": 462000,
     "Vazão (m³/s)": 0.0015, "Vazão (m³/h)": 2.0, "F23": "x"},
    {"Nº Processo": "09998/2012", "Requerente": "Sem Vazão", "Nº Certidão": 16},
]
LINHAS_ANA = [
    {"NomeReq": "Companhia de Saneamento", "NrPort01": 412, "DataPub01": D(2004, 11, 3),
     "DataVenc01": D(2039, 11, 3), "Latitude": "19°45'30\"", "Hemisferio": "S",
     "Longitude": "43°45'12\"", "Uf": "MG", "NOME_SIMPLIFICADO_IBGE": "PARACATU",
     "TipoMan": "Superficial", "Rios": "RIO PARACATU", "Bacia1": "SÃO FRANCISCO",
     "Finalidade": "Abastecimento Público", "Qc01 (m³/h)": 36.0, "Qc03": 72.5,
     "Abastecimento": "X", "Serviços": "S"},
    {"NomeReq": "Irrigante do Norte", "NrPort01": 413, "Latitude": "17 10 05", "Hemisferio": "N",
     "Longitude": "46 01 59", "Qc01 (m³/h)": 0.0, "Irrigação": "X"},
]


def xls(caminho, folhas):
    livro = xlwt.Workbook(encoding="utf-8")
    estilo_data = xlwt.easyxf(num_format_str="DD/MM/YYYY")
    estilo_data_hora = xlwt.easyxf(num_format_str="DD/MM/YYYY HH:MM:SS")
    for nome, colunas, linhas in folhas:
        folha = livro.add_sheet(nome)
        for c, titulo in enumerate(colunas):
            folha.write(0, c, titulo)
        for r, linha in enumerate(linhas, start=1):
            for c, titulo in enumerate(colunas):
                if titulo not in linha:
                    continue
                v = linha[titulo]
                if isinstance(v, DT):
                    folha.write(r, c, v, estilo_data_hora)
                elif isinstance(v, D):
                    folha.write(r, c, v, estilo_data)
                else:
                    folha.write(r, c, v)
    livro.save(caminho)


def tipo_ogr(linhas, titulo):
    valores = [l[titulo] for l in linhas if titulo in l]
    if valores and all(isinstance(v, D) for v in valores):
        # datetime is a kind of date: one value with a time makes the column a date-time.
        return ogr.OFTDateTime if any(isinstance(v, DT) for v in valores) else ogr.OFTDate
    if valores and all(isinstance(v, (int, float)) for v in valores):
        return ogr.OFTReal
    return ogr.OFTString


def xlsx(caminho, folhas):
    if os.path.exists(caminho):
        os.remove(caminho)
    ds = ogr.GetDriverByName("XLSX").CreateDataSource(caminho)
    for nome, colunas, linhas in folhas:
        camada = ds.CreateLayer(nome, geom_type=ogr.wkbNone)
        tipos = [tipo_ogr(linhas, t) for t in colunas]
        for titulo, tipo in zip(colunas, tipos):
            camada.CreateField(ogr.FieldDefn(titulo, tipo))
        for linha in linhas:
            f = ogr.Feature(camada.GetLayerDefn())
            for i, titulo in enumerate(colunas):
                if titulo not in linha:
                    continue
                v = linha[titulo]
                if isinstance(v, DT):
                    f.SetField(i, v.year, v.month, v.day, v.hour, v.minute, v.second, 0)
                elif isinstance(v, D):
                    f.SetField(i, v.year, v.month, v.day, 0, 0, 0, 0)
                elif tipos[i] == ogr.OFTString:
                    f.SetField(i, str(v))
                else:
                    f.SetField(i, float(v))
            camada.CreateFeature(f)
            f = None
    ds = None


def mista(pasta):
    """Cell types mixed in each column, the cases where the column type must be worked out."""
    D_, DT_, T = datetime.date, datetime.datetime, datetime.time
    colunas = {
        "numero_texto": [1, "abc", 0.5, 123456789012.5, 1e20, 0.1 + 0.2, -3, 1 / 3],
        "texto_numero": ["abc", 1, 0.5, True],
        "inteiro_real": [1, 2.5, 3],
        "inteiros": [1, 2, 194530],
        "data_numero": [D_(2001, 3, 15), 5],
        "numero_data": [5, D_(2001, 3, 15)],
        "data_texto": [D_(2001, 3, 15), "x", DT_(2010, 1, 2, 10, 30)],
        "datas_horas": [DT_(2010, 1, 2, 10, 30), D_(2001, 3, 15), None, T(10, 30)],
        "datas": [D_(2001, 3, 15), D_(2001, 3, 16)],
        "vazia": [None, None],
        "vazia_no_inicio": [None, 7.5],
        "logico": [True, False, 1],
        "hora": [T(10, 30), None, T(23, 59, 59)],
        "texto_vazio": ["", "y"],
        5: [1, 2],
        "": ["z"],
    }
    estilos = {D_: xlwt.easyxf(num_format_str="DD/MM/YYYY"),
               DT_: xlwt.easyxf(num_format_str="DD/MM/YYYY HH:MM:SS"),
               T: xlwt.easyxf(num_format_str="HH:MM:SS")}
    livro = xlwt.Workbook(encoding="utf-8")
    folha = livro.add_sheet("Mista")
    for c, (titulo, valores) in enumerate(colunas.items()):
        folha.write(0, c, titulo)
        for r, v in enumerate(valores, start=1):
            if v is None:
                continue
            estilo = estilos.get(type(v))
            if estilo is not None:
                folha.write(r, c, v, estilo)
            else:
                folha.write(r, c, v)
    folha.write(12, 0, "depois de linhas vazias")
    arquivo = os.path.join(pasta, "mista.xls")
    livro.save(arquivo)

    gdal.SetConfigOption("OGR_XLS_HEADERS", "FORCE")
    ds = ogr.Open(arquivo)
    camada = ds.GetLayer(0)
    defn = camada.GetLayerDefn()
    saida = {"colunas": [[defn.GetFieldDefn(i).GetName(), defn.GetFieldDefn(i).GetTypeName()]
                         for i in range(defn.GetFieldCount())],
             "linhas": []}
    for f in camada:
        saida["linhas"].append([f.GetFieldAsString(i) if f.IsFieldSetAndNotNull(i) else None
                                for i in range(defn.GetFieldCount())])
    ds = None
    with open(os.path.join(pasta, "mista.json"), "w", encoding="utf-8") as arq:
        json.dump(saida, arq, ensure_ascii=False)


def grande(caminho, base1904):
    """Many rows, so the workbook outgrows the small-sector stream and its shared strings span
    CONTINUE records; numbers in every form xlwt writes (compact integers and hundredths,
    doubles), accented and non-Latin texts, dates, date-times and times."""
    livro = xlwt.Workbook(encoding="utf-8")
    livro.dates_1904 = base1904
    estilos = [xlwt.easyxf(num_format_str=f) for f in
               ("DD/MM/YYYY", "DD/MM/YYYY HH:MM:SS", "HH:MM:SS", "#,##0.00", "0.0%")]
    colunas = ["texto", "inteiro", "centesimos", "real", "data", "data_hora", "hora", "mista",
               "formatado", "grande"]
    for nome, n in (("Primeira folha ação", 2000), ("Segunda Ŝ", 1000)):
        folha = livro.add_sheet(nome)
        for c, t in enumerate(colunas):
            folha.write(0, c, t)
        for r in range(1, n + 1):
            if r % 50 == 0:
                continue  # an empty row
            folha.write(r, 0, ("Requerente %d — São João Ωmega " % r) * (1 + r % 3))
            folha.write(r, 1, r * 37 - 20000)
            folha.write(r, 2, r / 100)
            folha.write(r, 3, r / 7)
            folha.write(r, 4, D(1950, 1, 1) + datetime.timedelta(days=r * 11), estilos[0])
            folha.write(r, 5, DT(2001, 5, 6, 7, 8, 9) + datetime.timedelta(minutes=r * 97),
                        estilos[1])
            folha.write(r, 6, datetime.time(r % 24, r % 60, (r * 7) % 60), estilos[2])
            mista = [r, "t%d" % r, r + 0.5, D(2020, 1, 1)][r % 4]
            folha.write(r, 7, mista, estilos[0] if isinstance(mista, D) else xlwt.Style.default_style)
            folha.write(r, 8, r * 1.5, estilos[3 + r % 2])
            folha.write(r, 9, 2 ** 31 + r if r % 3 else -(2 ** 40) - r)
    livro.save(caminho)


def main():
    pasta = sys.argv[1]
    os.makedirs(pasta, exist_ok=True)
    aqem = [(SUPERFICIAL, COLUNAS_OUTORGAS, LINHAS_SUPERFICIAL),
            (CERTIDOES, COLUNAS_CERTIDOES, LINHAS_CERTIDOES),
            (SUBTERRANEA, COLUNAS_OUTORGAS, LINHAS_SUBTERRANEA)]
    ana = [(ANA, COLUNAS_ANA, LINHAS_ANA)]
    xls(os.path.join(pasta, "aqem.xls"), aqem)
    xls(os.path.join(pasta, "ana.xls"), ana)
    xls(os.path.join(pasta, "aqem_sem_certidoes.xls"), [aqem[0], aqem[2]])
    xls(os.path.join(pasta, "ana_folha_errada.xls"), [("Outorgas Federais", COLUNAS_ANA, LINHAS_ANA)])
    xls(os.path.join(pasta, "ana_vazia.xls"), [(ANA, COLUNAS_ANA, [])])
    xlsx(os.path.join(pasta, "aqem.xlsx"), aqem)
    xlsx(os.path.join(pasta, "ana.xlsx"), ana)
    sem_titulo = [aqem[0], aqem[1],
                  (SUBTERRANEA, [c for c in COLUNAS_OUTORGAS if c != "Vazão (m³/h)"],
                   [{k: v for k, v in l.items() if k != "Vazão (m³/h)"} for l in LINHAS_SUBTERRANEA])]
    xls(os.path.join(pasta, "aqem_sem_titulo.xls"), sem_titulo)
    xlsx(os.path.join(pasta, "aqem_sem_titulo.xlsx"), sem_titulo)
    mista(pasta)
    grande(os.path.join(pasta, "grande.xls"), False)
    grande(os.path.join(pasta, "grande_1904.xls"), True)


if __name__ == "__main__":
    main()
