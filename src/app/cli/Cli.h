#pragma once
// The headless front end's frame: global options, the command registry, JSON output and the
// presenter that prints messages to stderr and answers Yes to every question (one per command
// run, carried by its context).

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "base/Apresentador.h"
#include "base/Caminhos.h"

class TSistema;

// Each command run has its own.
class TApresentadorCli final : public TApresentador {
 public:
  void Erro(const QString& texto) override;
  void Informacao(const QString& texto) override;
  TResposta Confirmacao(const QString& texto) override;
  void Mensagem(const QString& texto) override;
  QString AbreArquivo(const QString& titulo, const QString& pasta, const QString& filtro) override;

  // Every text shown, in order.
  const QStringList& Mensagens() const { return Mensagens_; }
  void Limpa() { Mensagens_.clear(); }
  void DefineSilencioso(bool silencioso) { Silencioso_ = silencioso; }
  // While holding, the lines meant for stderr are kept instead; Solta() ends it and hands them.
  void Retem() { Retendo_ = true; }
  QStringList Solta();

 private:
  void Escreve(const QString& titulo, const QString& texto);
  QStringList Mensagens_;
  bool Silencioso_ = false;
  bool Retendo_ = false;
  QStringList Retidas_;
};

struct TContextoCli {
  TCaminhos Caminhos;
  QStringList Args;               // the command's own arguments
  TApresentadorCli Apresentador;  // where the command's messages go
};

struct TComandoCli {
  QString Nome;
  QString Uso;  // one line: the arguments after the command's name
  std::function<int(TContextoCli&)> Executa;
};

// Called from a static initializer in each Comando*.cpp file.
bool RegistraComando(TComandoCli comando);
const std::vector<TComandoCli>& Comandos();

// Prints one JSON object on stdout (indented, UTF-8).
void ImprimeJson(const QJsonObject& objeto);

// Runs the start-up of the windowed program (main window's loads, then the data module) against
// the context's data tree.
std::unique_ptr<TSistema> IniciaSistema(TContextoCli& ctx, const QStringList& camadas = {});

// The start-up for a command that computes from the basin data (secao, analise, lote). When a
// load it depends on failed (the header, the grids, the shapefile connection and layers, the
// reference database; not the register workbooks), that load's message is shown before the
// start-up's other messages and the answer is nullptr: the command exits 1 without computing.
// Given `camadas`, only those layers are opened (and only their failures count).
std::unique_ptr<TSistema> IniciaSistemaParaCalculo(TContextoCli& ctx,
                                                   const QStringList& camadas = {});

// A failure of the command's own arguments: prints the usage and returns 2.
int ErroDeUso(const TComandoCli& comando, const QString& detalhe);
