#pragma once
// The data tree beside the executable. Every path the program reads or writes is formed here;
// none is configurable.
//
//   <Dir>/Ajuda/Ajuda.html
//   <Dir>/Dados/DadosSIG/Matrizes/{Header.hdr, hidro_mapeada, hidro_sem_esp, dir_esc, fluxo_ac}
//   <Dir>/Dados/DadosSIG/            the 17 basin layers (shapefiles)
//   <Dir>/Dados/DadosBD/<NomeBase>.sqlite, <NomeBase>_Outorgas_AQEM.xls, ..._ANA.xls
//   <Dir>/Imagens/Relatórios/        the five table pictures
//   <Dir>/DadosSIG/                  the maintenance window's two river layers

#include <QString>

class TCaminhos {
 public:
  // dir: the executable's folder (with or without trailing '/'); nomeBase: the executable's
  // name without its extension.
  TCaminhos(const QString& dir, const QString& nomeBase);

  // The executable's name without its last extension ("TORVEDA.exe" -> "TORVEDA").
  static QString NomeBaseDe(const QString& arquivoExecutavel);

  const QString& Dir() const { return Dir_; }  // always ends in '/'
  const QString& NomeBase() const { return NomeBase_; }

  QString Ajuda() const;
  QString Matrizes() const;  // folder, ends in '/'
  QString DadosSIG() const;  // folder, ends in '/'
  QString DadosBD() const;   // folder, ends in '/'
  QString BaseDados() const;
  QString OutorgasAqem() const;  // the .xls name; see the data module for .xlsx
  QString OutorgasAna() const;
  QString Relatorios() const;           // folder, ends in '/'
  QString DadosSIGManutencao() const;  // folder, ends in '/'

 private:
  QString Dir_;
  QString NomeBase_;
};
