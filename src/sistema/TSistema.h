#pragma once
// One loaded data tree, created at start-up in a fixed order and kept until its holder ends:
// Ponto, HeaderMDE, the four drainage grids, ConexaoShape with the 17 basin layers,
// MapasCarregados and the data module dmS. Whoever runs the start-up (the windowed program, each
// CLI command, a test) holds it and hands it to the windows and the computations; nothing reaches
// it any other way. The windowed program and `torveda-cli verifica` run the very same start-up
// code.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "base/Caminhos.h"

class TApresentador;
class TPonto;
class THeaderMDE;
class TImagem;
class TConexaoShape;
class TCamada;
class TdmS;

// One load of the start-up sequence and its outcome, in the order it ran.
struct TCarga {
  QString Nome;
  bool Ok = false;
  QString Mensagem;  // the failure's text; empty on success
};

class TSistema {
 public:
  explicit TSistema(const TCaminhos& caminhos);
  ~TSistema();
  TSistema(const TSistema&) = delete;
  TSistema& operator=(const TSistema&) = delete;

  // The main window's creation: steps 2 to 9 (the help file, step 1, is the window's own).
  // Creates Ponto, loads the header, the four grids, the shapefile connection and the layers,
  // and sets MapasCarregados. Failures are recorded, shown through the presenter, and start-up
  // goes on.
  void CriaFormPrincipal(TApresentador& apresentador);
  // Before the start-up: open only these layers (catalogue order kept; a failure among them is
  // recorded as usual). Reading a layer costs its whole file, so a command that computes from a
  // few skips the rest; the windowed program and `verifica` open all 17.
  void LimitaCamadas(const QStringList& nomes) { CamadasLimitadas_ = nomes; }
  // The data module's creation: opens the database and the two register workbooks.
  void CriaDataModule(TApresentador& apresentador);

  const TCaminhos& Caminhos() const { return Caminhos_; }

  std::unique_ptr<TPonto> Ponto;
  std::unique_ptr<THeaderMDE> HeaderMDE;
  std::unique_ptr<TImagem> ImgHidroMapeada;
  std::unique_ptr<TImagem> ImgHidroSemEsp;
  std::unique_ptr<TImagem> ImgDirEsc;
  std::unique_ptr<TImagem> ImgFluxoAc;
  std::unique_ptr<TConexaoShape> ConexaoShape;
  // The 17 basin layers (or those it was limited to) in catalogue order; a layer that failed to
  // open is present but invalid.
  std::vector<std::unique_ptr<TCamada>> Camadas;
  bool MapasCarregados = false;
  std::unique_ptr<TdmS> dmS;

  // The layer of that dataset name, or nullptr.
  TCamada* Camada(const QString& nome) const;

  // The start-up error text: a single blank, or the message of the last failed load.
  const QString& ErroInicial() const { return ErroInicial_; }
  // Every load of the start-up, in order.
  const std::vector<TCarga>& Cargas() const { return Cargas_; }

 private:
  // Each step lives beside the subsystem it loads.
  void CarregaHeader(TApresentador& apresentador);    // step 4
  void CarregaMatrizes(TApresentador& apresentador);  // step 5
  void ConectaShape();                                // step 6
  void AbreCamadas();                                 // step 7
  void OcultaCamadas();                               // step 8

  void RegistraSucesso(const QString& nome);
  // Records a failed load and makes its message the start-up error text.
  void RegistraFalha(const QString& nome, const QString& mensagem);
  // Records a data-module load (does not touch the start-up error text).
  void RegistraDados(const QString& nome, bool ok, const QString& mensagem);

  TCaminhos Caminhos_;
  bool HeaderOk_ = false;  // Header.hdr loaded and sound: the grids are checked against it
  QString ErroInicial_ = QStringLiteral(" ");
  std::vector<TCarga> Cargas_;
  std::optional<QStringList> CamadasLimitadas_;
};
