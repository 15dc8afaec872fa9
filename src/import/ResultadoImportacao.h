#pragma once
// What an import did, step by step: the menu commands only need the messages it showed, the
// headless command prints all of it.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Progress of an import step: the step's rows, the rows done and what is being done.
using TProgressoImportacao = std::function<void(int maximo, int posicao, const QString& texto)>;

// When an import would leave a layer that holds grants without any (a sheet with its headings
// and no rows, or whose every row was skipped): the windowed program asks, the headless command
// refuses unless told to accept it.
enum class TSubstituicaoVazia { Pergunta, Aceita, Recusa };

struct TResultadoPasso {
  QString Camada;       // the layer written
  QString Folha;        // the sheet read
  QString ColunaVazao;  // the flow column that decides the state rows; empty for the federal one
  int LinhasLidas = 0;  // rows walked, the failing one included
  int Gravados = 0;     // records now in the layer from this step (0 when the layer was kept)
  // Rows skipped, by reason.
  int SemCoordenadas = 0;
  int VazaoZero = 0;
  int ForaDaArea = 0;  // outside the basin (state) or outside every region (federal)
  // The failing row: the message shown to the user, what went wrong, the heading being read
  // (empty when the failure was not in one column) and the sheet row number (the heading row
  // is 1). Empty and 0 when every row was read.
  QString Falha;
  QString Causa;
  QString ColunaFalha;
  int LinhaFalha = 0;
  // The layer could not be written.
  QString ErroGravacao;
  // The step's records replaced the layer's; otherwise the layer was kept exactly as it was.
  bool Substituida = false;

  bool Falhou() const { return !Falha.isEmpty() || !ErroGravacao.isEmpty(); }
  QJsonObject Json() const;
};

struct TResultadoImportacao {
  QString Registro;  // "AQEM" or "ANA"
  QString Arquivo;   // the register workbook
  // False when the import refused to start (Erro says why) and nothing was changed.
  bool Executada = false;
  // A failure outside the steps (a refusal before the steps, or a replacement refused or
  // declined after them: nothing was changed).
  QString Erro;
  // The layers that the steps would have left without grants, when that was refused or
  // declined.
  QStringList Esvaziadas;
  // Every layer the import rebuilds, in step order.
  QStringList Camadas;
  std::vector<TResultadoPasso> Passos;

  // The layers whose records were replaced, and those kept as they were.
  QStringList Substituidas() const;
  QStringList Mantidas() const;

  // Executed, and every step read all its rows and wrote its layer.
  bool Completa() const;
  QJsonObject Json() const;
};
