#!/usr/bin/python3
"""Writes a state register workbook as Excel 97-2003 (.xls), as agencies publish it, for the
benchmarks: the three sheets with every heading and N rows in all (4/7 surface grants, 2/7
certificates, 1/7 groundwater grants), with texts, numbers and dates in the usual columns.

Usage: escreve_registro_xls.py FILE.xls N
"""

import datetime
import random
import sys

import xlwt

OUTORGAS = [
    "Nº Processo", "Data entrada", "Requerente", "Nº Portaria", "Data Publicação", "Município",
    "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude", "Longitude", "Vazão (m³/s)",
    "Vazão (m³/h)", "Local", "Tipo Outorga", "Obs", "Validade (anos)", "Finalidade", "Uso",
    "Profundidade (m)", "NE/ND",
]
CERTIDOES = [
    "Nº Processo", "Data entrada", "Requerente", "Nº Certidão", "Data Expedição", "Município",
    "Rio Estadual", "Rio Federal", "Recurso hídrico", "Latitude", "Longitude", "Vazão (m³/s)",
    "Vazão (m³/h)", "Tipo", "Obs", "Validade (anos)", "Local", "Finalidade", "Uso", "UPGRH",
    "Profundidade (m)", "NE/ND", "F23",
]


def main():
    arquivo, n = sys.argv[1], int(sys.argv[2])
    aleatorio = random.Random(7)
    livro = xlwt.Workbook(encoding="utf-8")
    data = xlwt.easyxf(num_format_str="DD/MM/YYYY")
    for nome, colunas, parte in (("Outorgas Água Superficial", OUTORGAS, 4),
                                 ("Certidões de Uso Insignificante", CERTIDOES, 2),
                                 ("Outorgas Água Subterrânea", OUTORGAS, 1)):
        folha = livro.add_sheet(nome)
        for c, t in enumerate(colunas):
            folha.write(0, c, t)
        for r in range(1, n * parte // 7 + 1):
            valores = {
                "Nº Processo": "%05d/%d" % (r, 1990 + r % 30),
                "Data entrada": datetime.date(1990, 1, 1) + datetime.timedelta(days=r % 9000),
                "Requerente": "Requerente %d" % r,
                "Nº Portaria": r, "Nº Certidão": r,
                "Data Publicação": datetime.date(1991, 1, 1) + datetime.timedelta(days=r % 9000),
                "Data Expedição": datetime.date(1991, 1, 1) + datetime.timedelta(days=r % 9000),
                "Município": "Paracatu", "Rio Estadual": "Rio Preto", "Rio Federal": "Rio Paracatu",
                "Recurso hídrico": "Superficial",
                "Latitude": 170000 + aleatorio.randrange(0, 5959),
                "Longitude": 460000 + aleatorio.randrange(0, 5959),
                "Vazão (m³/s)": round(aleatorio.random(), 4),
                "Vazão (m³/h)": round(aleatorio.random() * 50, 2),
                "Local": "Fazenda %d" % (r % 500), "Obs": "", "Validade (anos)": 5 + r % 10,
                "Finalidade": "Irrigação", "Uso": "Consuntivo",
            }
            for c, t in enumerate(colunas):
                v = valores.get(t)
                if v is None or v == "":
                    continue
                if isinstance(v, datetime.date):
                    folha.write(r, c, v, data)
                else:
                    folha.write(r, c, v)
    livro.save(arquivo)


if __name__ == "__main__":
    main()
