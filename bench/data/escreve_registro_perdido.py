#!/usr/bin/python3
"""Writes a small state register as Excel 97-2003 (.xls) through python3-xlwt, the three sheets
with every heading and N rows in all; with --perdida, one stray note at the sheet's last row and
column (row 65,536, column IV) of the surface sheet, as a forgotten keystroke leaves it.

Usage: escreve_registro_perdido.py FILE.xls N [--perdida]
"""

import datetime
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
    arquivo, n, perdida = sys.argv[1], int(sys.argv[2]), "--perdida" in sys.argv[3:]
    livro = xlwt.Workbook(encoding="utf-8")
    data = xlwt.easyxf(num_format_str="DD/MM/YYYY")
    for nome, colunas, parte in (("Outorgas Água Superficial", OUTORGAS, 4),
                                 ("Certidões de Uso Insignificante", CERTIDOES, 2),
                                 ("Outorgas Água Subterrânea", OUTORGAS, 1)):
        folha = livro.add_sheet(nome)
        for c, t in enumerate(colunas):
            folha.write(0, c, t)
        for r in range(1, max(1, n * parte // 7) + 1):
            valores = {
                "Nº Processo": "%05d/2010" % r, "Requerente": "Requerente %d" % r,
                "Data entrada": datetime.date(2010, 1, 1) + datetime.timedelta(days=r),
                "Nº Portaria": r, "Nº Certidão": r, "Município": "Paracatu",
                "Latitude": 170000 + r, "Longitude": 460000 + r, "Vazão (m³/s)": 0.01 * r,
                "Vazão (m³/h)": 1.5 * r, "Finalidade": "Irrigação",
            }
            for c, t in enumerate(colunas):
                v = valores.get(t)
                if v is None:
                    continue
                if isinstance(v, datetime.date):
                    folha.write(r, c, v, data)
                else:
                    folha.write(r, c, v)
        if perdida and parte == 4:
            folha.write(65535, 255, "nota")
    livro.save(arquivo)


if __name__ == "__main__":
    main()
