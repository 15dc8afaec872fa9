// Start-up steps 4 and 5: the elevation-model header and the four drainage grids, read in place
// from Dados/DadosSIG/Matrizes. A failure is recorded, shown at once, and start-up goes on. A file
// that exists but is wrong (malformed, empty, a header missing lines, a grid that disagrees with
// Header.hdr, cells that the network walks cannot take) fails with the step's message followed by
// what is wrong with which file.
#include <exception>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "raster/ConferenciaCelulas.h"
#include "raster/ConferenciaGrades.h"
#include "raster/MemoriaConferencia.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

namespace {

QString ComDetalhe(const QString& mensagem, const QString& detalhe) {
  return detalhe.isEmpty() ? mensagem : mensagem + QLatin1Char('\n') + detalhe;
}

}  // namespace

void TSistema::CarregaHeader(TApresentador& apresentador) {
  HeaderMDE = std::make_unique<THeaderMDE>();
  HeaderOk_ = false;
  const QString nome = QStringLiteral("Header.hdr");
  bool ok = false;
  QString detalhe;
  try {
    ok = HeaderMDE->Carrega(Caminhos_.Matrizes() + nome);
    if (ok) detalhe = ConferenciaGrades::ConfereHeader(*HeaderMDE, nome);
  } catch (const ETorveda& e) {
    detalhe = e.mensagem();
  } catch (const std::exception& e) {
    detalhe = QString::fromLocal8Bit(e.what());
  }
  if (ok && detalhe.isEmpty()) {
    HeaderOk_ = true;
    RegistraSucesso(nome);
    return;
  }
  // Nothing later may compute cells from a header that failed.
  HeaderMDE = std::make_unique<THeaderMDE>();
  const QString msg = ComDetalhe(QStringLiteral("Erro ao abrir o arquivo Header.hdr"), detalhe);
  RegistraFalha(nome, msg);
  apresentador.Erro(msg);
}

void TSistema::CarregaMatrizes(TApresentador& apresentador) {
  // All four exist even when a load fails, so that a later reader meets an empty grid (every
  // cell answers no data) rather than a null pointer.
  ImgHidroMapeada = std::make_unique<TImagem>(true);
  ImgHidroSemEsp = std::make_unique<TImagem>(true);
  ImgDirEsc = std::make_unique<TImagem>(true);
  ImgFluxoAc = std::make_unique<TImagem>(true);
  using TConferencia = QString (*)(const TImagem&, const QString&);
  const struct {
    std::unique_ptr<TImagem>* Grade;
    QString Nome;
    TConferencia Celulas;  // the check of its cells, when the walks depend on them
  } grades[] = {
      {&ImgHidroMapeada, QStringLiteral("hidro_mapeada.hdr"), &ConferenciaCelulas::ConfereDrenagem},
      {&ImgHidroSemEsp, QStringLiteral("hidro_sem_esp.hdr"), nullptr},
      {&ImgDirEsc, QStringLiteral("dir_esc.hdr"), &ConferenciaCelulas::ConfereDirecoes},
      {&ImgFluxoAc, QStringLiteral("fluxo_ac.hdr"), &ConferenciaCelulas::ConfereAcumulacao},
  };
  // The cell checks read every cell; a grid whose files have not changed since it passed them is
  // not read again.
  TMemoriaConferencia memoria(Caminhos_.Matrizes());
  // The four loads are one unit: the first failure stops the rest.
  for (const auto& [grade, nome, celulas] : grades) {
    const QString arquivo = Caminhos_.Matrizes() + nome;
    bool ok = false;
    QString detalhe;
    try {
      detalhe = ConferenciaGrades::ConfereCabecalho(arquivo);
      if (detalhe.isEmpty()) ok = (*grade)->Carrega(arquivo);
      // Without a sound Header.hdr there is nothing to compare with; that failure is its own.
      if (ok && HeaderOk_) detalhe = ConferenciaGrades::ConfereComHeader(**grade, *HeaderMDE, nome);
      if (ok && detalhe.isEmpty() && celulas && !memoria.Conferida(arquivo)) {
        detalhe = celulas(**grade, nome);
        if (detalhe.isEmpty())
          memoria.Registra(arquivo);
        else
          memoria.Esquece(arquivo);
      }
    } catch (const ETorveda& e) {
      detalhe = e.mensagem();
    } catch (const std::exception& e) {
      detalhe = QString::fromLocal8Bit(e.what());
    }
    if (ok && detalhe.isEmpty()) {
      RegistraSucesso(nome);
      continue;
    }
    *grade = std::make_unique<TImagem>(true);
    const QString msg = ComDetalhe(
        QStringLiteral("Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, "
                       "dir_esc.hdr, e fluxo_ac.hdr"),
        detalhe);
    RegistraFalha(nome, msg);
    memoria.Grava();
    apresentador.Erro(msg);
    return;
  }
  memoria.Grava();
}
