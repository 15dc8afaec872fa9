#!/usr/bin/python3
"""Writes a register workbook described in JSON, for the import tests and benchmarks.

.xls (Excel 97-2003) through xlwt, .xlsx through GDAL's XLSX driver, chosen by the extension.

Usage: escreve_registros.py DESCRICAO.json

  {"arquivo": "/path/TORVEDA_Outorgas_AQEM.xls",
   "folhas": [{"nome": "Outorgas Água Superficial",
               "colunas": ["Nº Processo", ...],
               "linhas": [[cell, ...], ...]}]}

A cell is null (empty), a string, a number or {"data": "YYYY-MM-DD"}.
"""

import datetime
import json
import sys

import xlwt
from osgeo import gdal, ogr

gdal.UseExceptions()


def valor(c):
    if isinstance(c, dict) and "data" in c:
        return datetime.date.fromisoformat(c["data"])
    return c


def xls(caminho, folhas):
    livro = xlwt.Workbook(encoding="utf-8")
    estilo_data = xlwt.easyxf(num_format_str="DD/MM/YYYY")
    for folha in folhas:
        planilha = livro.add_sheet(folha["nome"])
        for j, titulo in enumerate(folha["colunas"]):
            planilha.write(0, j, titulo)
        for i, linha in enumerate(folha["linhas"], start=1):
            for j, c in enumerate(linha):
                v = valor(c)
                if v is None:
                    continue
                if isinstance(v, datetime.date):
                    planilha.write(i, j, v, estilo_data)
                else:
                    planilha.write(i, j, v)
    livro.save(caminho)


def tipo_ogr(folha, j):
    tipos = set()
    for linha in folha["linhas"]:
        v = valor(linha[j]) if j < len(linha) else None
        if v is None:
            continue
        if isinstance(v, datetime.date):
            tipos.add(ogr.OFTDate)
        elif isinstance(v, (int, float)):
            tipos.add(ogr.OFTReal)
        else:
            tipos.add(ogr.OFTString)
    return tipos.pop() if len(tipos) == 1 else ogr.OFTString


def xlsx(caminho, folhas):
    ds = ogr.GetDriverByName("XLSX").CreateDataSource(caminho)
    for folha in folhas:
        camada = ds.CreateLayer(folha["nome"], geom_type=ogr.wkbNone)
        tipos = [tipo_ogr(folha, j) for j in range(len(folha["colunas"]))]
        for titulo, tipo in zip(folha["colunas"], tipos):
            camada.CreateField(ogr.FieldDefn(titulo, tipo))
        for linha in folha["linhas"]:
            f = ogr.Feature(camada.GetLayerDefn())
            for j, c in enumerate(linha):
                v = valor(c)
                if v is None:
                    continue
                if isinstance(v, datetime.date):
                    f.SetField(j, v.year, v.month, v.day, 0, 0, 0, 0)
                elif tipos[j] == ogr.OFTString:
                    f.SetField(j, str(v))
                else:
                    f.SetField(j, float(v))
            camada.CreateFeature(f)
    ds = None


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        descricao = json.load(f)
    caminho = descricao["arquivo"]
    if caminho.lower().endswith(".xlsx"):
        xlsx(caminho, descricao["folhas"])
    else:
        xls(caminho, descricao["folhas"])


if __name__ == "__main__":
    main()
