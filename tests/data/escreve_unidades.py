#!/usr/bin/python3
"""Writes, through python3-xlwt, register workbooks whose number columns carry the formats
agencies give them: units in quotes, colours, negative and zero sections, locale codes, escaped
and padding characters, on flows, coordinates and document numbers; dates in day-first formats.

  aqem_unidades.xls   the state register, three sheets
  ana_unidades.xls    the federal register

tests/data/planilhas holds the same two workbooks saved by LibreOffice from these files
(`soffice --headless --convert-to xlsx` and `--convert-to xls:"MS Excel 97"`), committed so that
the tests need no office suite.

Usage: escreve_unidades.py FOLDER
"""

import datetime
import os
import sys

import xlwt

D = datetime.date

# The formats, each on some column, and what the tests expect every cell to read as: the number
# written, never a date or time.
M3S = '0.00" m³/s"'
M3H = '0.0" m³/h"'
M3DIA = '#,##0.000" m3/dia"'
CORES = '[Blue]0.000" m³/s";[Red]-0.000" m³/s";"zero (sem vazão)"'
LOCAL = '[$-416]0.000000'
ESCAPE = '0.0\\h_)'
PREENCHE = '0.0* "h"'
PORTARIA = '"Portaria nº "000'
DATA = 'DD/MM/YYYY'

SUPERFICIAL = "Outorgas Água Superficial"
SUBTERRANEA = "Outorgas Água Subterrânea"
CERTIDOES = "Certidões de Uso Insignificante"
ANA = "Outorgas ANA"

COLUNAS = ["Nº Processo", "Data entrada", "Requerente", "Nº Portaria", "Data Publicação",
           "Município", "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude", "Longitude",
           "Vazão (m³/s)", "Vazão (m³/h)", "Local", "Tipo Outorga", "Obs", "Validade (anos)",
           "Finalidade", "Uso", "Profundidade (m)", "NE/ND"]
COLUNAS_CERTIDOES = ["Nº Processo", "Data entrada", "Requerente", "Nº Certidão", "Data Expedição",
                     "Município", "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude",
                     "Longitude", "Vazão (m³/s)", "Vazão (m³/h)", "Tipo", "Obs",
                     "Validade (anos)", "Local", "Finalidade", "Uso", "UPGRH",
                     "Profundidade (m)", "NE/ND", "F23"]
COLUNAS_ANA = ["NomeReq", "NrPort01", "DataPub01", "DataVenc01", "Latitude", "Hemisferio",
               "Longitude", "Uf", "NOME_SIMPLIFICADO_IBGE", "TipoMan", "Rios", "Bacia1",
               "Finalidade", "Qc01 (m³/h)"] + ["Qc%02d" % m for m in range(2, 13)]

# Rows as {heading: (value, format)} or {heading: value}.
SUPERFICIAIS = [
    {"Nº Processo": "01234/2005", "Data entrada": (D(2005, 3, 15), DATA),
     "Requerente": "Fazenda Boa Vista", "Nº Portaria": (101, PORTARIA),
     "Data Publicação": (D(2005, 6, 1), DATA), "Latitude": (194530, LOCAL),
     "Longitude": (434512, LOCAL), "Vazão (m³/s)": (0.25, M3S),
     "Validade (anos)": (10, '0" anos"')},
    {"Nº Processo": "00077/2010", "Requerente": "José da Conceição",
     "Nº Portaria": (2345, PORTARIA), "Latitude": (171005, LOCAL), "Longitude": (460159, LOCAL),
     "Vazão (m³/s)": (1.75, CORES), "Validade (anos)": (5, '0" anos"')},
    {"Nº Processo": "00078/2010", "Requerente": "Vazão zero", "Latitude": (171006, LOCAL),
     "Longitude": (460158, LOCAL), "Vazão (m³/s)": (0, CORES)},
]
SUBTERRANEAS = [
    {"Nº Processo": "00500/2001", "Requerente": "Poço Artesiano S.A.",
     "Nº Portaria": (77, PORTARIA), "Data Publicação": (D(2001, 2, 28), DATA),
     "Latitude": (180000, LOCAL), "Longitude": (450000, LOCAL), "Vazão (m³/s)": "ver m³/h",
     "Vazão (m³/h)": (3.6, M3H), "Profundidade (m)": (120.5, '0.0" m"')},
    {"Nº Processo": "00501/2001", "Requerente": "Poço Fundo", "Latitude": (180001, LOCAL),
     "Longitude": (450001, LOCAL), "Vazão (m³/h)": (88.3, ESCAPE)},
    {"Nº Processo": "00502/2001", "Requerente": "Poço Seco", "Latitude": (180002, LOCAL),
     "Longitude": (450002, LOCAL), "Vazão (m³/h)": (0, M3H)},
    {"Nº Processo": "00503/2001", "Requerente": "Poço Raso", "Latitude": (180003, LOCAL),
     "Longitude": (450003, LOCAL), "Vazão (m³/h)": (12.25, PREENCHE)},
]
CERTIDOES_LINHAS = [
    {"Nº Processo": "09999/2012", "Requerente": "Sítio Dois Irmãos", "Nº Certidão": (15, PORTARIA),
     "Data Expedição": (D(2012, 7, 9), DATA), "Latitude": (175959, LOCAL),
     "Longitude": (462000, LOCAL), "Vazão (m³/s)": (0.0015, CORES),
     "Vazão (m³/h)": (1234.5, M3DIA)},
]
ANAS = [
    {"NomeReq": "Companhia de Saneamento", "NrPort01": (412, PORTARIA),
     "DataPub01": (D(2004, 11, 3), DATA), "DataVenc01": (D(2039, 11, 3), DATA),
     "Latitude": "19°45'30\"", "Hemisferio": "S", "Longitude": "43°45'12\"", "Uf": "MG",
     "Qc01 (m³/h)": (15012.0, M3H), "Qc02": (4.17, M3H), "Qc03": (72.5, CORES),
     "Qc04": (-3.5, CORES), "Qc05": (0, CORES), "Qc06": (1500.125, M3DIA)},
    {"NomeReq": "Irrigante do Norte", "NrPort01": (413, PORTARIA), "Latitude": (171005, LOCAL),
     "Hemisferio": "S", "Longitude": (460159, LOCAL), "Qc01 (m³/h)": (0.5, ESCAPE)},
]


def escreve(caminho, folhas):
    livro = xlwt.Workbook(encoding="utf-8")
    estilos = {}
    for nome, colunas, linhas in folhas:
        folha = livro.add_sheet(nome)
        for c, titulo in enumerate(colunas):
            folha.write(0, c, titulo)
        for r, linha in enumerate(linhas, start=1):
            for c, titulo in enumerate(colunas):
                if titulo not in linha:
                    continue
                v = linha[titulo]
                if isinstance(v, tuple):
                    v, formato = v
                    if formato not in estilos:
                        estilos[formato] = xlwt.easyxf(num_format_str=formato)
                    folha.write(r, c, v, estilos[formato])
                else:
                    folha.write(r, c, v)
    livro.save(caminho)


def main():
    pasta = sys.argv[1]
    os.makedirs(pasta, exist_ok=True)
    escreve(os.path.join(pasta, "aqem_unidades.xls"),
            [(SUPERFICIAL, COLUNAS, SUPERFICIAIS), (CERTIDOES, COLUNAS_CERTIDOES, CERTIDOES_LINHAS),
             (SUBTERRANEA, COLUNAS, SUBTERRANEAS)])
    escreve(os.path.join(pasta, "ana_unidades.xls"), [(ANA, COLUNAS_ANA, ANAS)])


if __name__ == "__main__":
    main()
