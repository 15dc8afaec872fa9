#pragma once
// What an import did, step by step: the menu commands only need the messages it showed, the
// headless command prints all of it.

#include <QJsonObject>
#include <QString>
#include <vector>

struct TResultadoPasso {
  QString Camada;       // the layer written
  QString Folha;        // the sheet read
  QString ColunaVazao;  // the flow column that decides the state rows; empty for the federal one
  int LinhasLidas = 0;  // rows walked, the failing one included
  int Gravados = 0;     // records written into the layer
  // Rows skipped, by reason.
  int SemCoordenadas = 0;
  int VazaoZero = 0;
  int ForaDaArea = 0;  // outside the basin (state) or outside every region (federal)
  // The failing row: the message shown to the user, what went wrong and the sheet row number
  // (the heading row is 1). Empty and 0 when every row was read.
  QString Falha;
  QString Causa;
  int LinhaFalha = 0;
  // The layer could not be written at the end of the step.
  QString ErroGravacao;

  bool Falhou() const { return !Falha.isEmpty() || !ErroGravacao.isEmpty(); }
  QJsonObject Json() const;
};

struct TResultadoImportacao {
  QString Registro;  // "AQEM" or "ANA"
  QString Arquivo;   // the register workbook
  // False when the import refused to start (Erro says why) and nothing was changed.
  bool Executada = false;
  // A failure outside the steps (refusal, or a layer that could not be emptied).
  QString Erro;
  std::vector<TResultadoPasso> Passos;

  // Executed, and every step read all its rows and wrote its layer.
  bool Completa() const;
  QJsonObject Json() const;
};
