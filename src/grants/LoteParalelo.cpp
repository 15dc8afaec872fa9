#include "grants/LoteParalelo.h"

#include <QThread>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "base/Erro.h"
#include "data/TdmS.h"
#include "grants/Lote.h"
#include "hydro/TBacia.h"
#include "hydro/TPonto.h"

namespace {

// The basin as `bacia` has it, read through another data module.
TBacia ComBase(const TBacia& b, TdmS& dmS) {
  return TBacia{
      b.HeaderMDE, b.ImgHidroMapeada, b.ImgHidroSemEsp,   b.ImgDirEsc,          b.ImgFluxoAc,
      b.Limite,    b.Hidrografia,     b.Estados,          b.Municipios,         b.RegMetTradicional,
      b.AdRegioes, b.CamadaPonto,     b.OutSupSignifAqem, b.OutSupInsignifAqem, b.OutSupAna,
      dmS,         b.CacheArcos};
}

// One row's answer. The thread's section is placed afresh (IdentificaSecao starts from a blank
// one), so nothing a request leaves behind reaches the next, whichever thread takes it; it is
// reused because a new one would fault in its grant lists, megabytes at full scale, for every
// request. A failure outside the analysis (which answers its own) still answers the row, so that
// the rows after it are not held back.
TRespostaLote Responde(TPonto& ponto, const TBacia& bacia, const TLeitorPedidos& leitor,
                       const QStringList& linha, const TRedeBalanco* rede) {
  try {
    QString erro;
    const std::optional<TPedidoLote> pedido = leitor.Le(linha, erro);
    return pedido ? AnalisaPedido(ponto, bacia, *pedido, rede)
                  : leitor.RespostaNaoLida(linha, erro);
  } catch (const ETorveda& e) {
    return leitor.RespostaNaoLida(linha, e.mensagem());
  } catch (const std::exception& e) {
    return leitor.RespostaNaoLida(linha, QString::fromLocal8Bit(e.what()));
  }
}

// The rows handed out, the answers waiting for their turn (a ring of `Janela` slots: row i
// waits in slot i % Janela, free once row i - Janela is delivered) and the stop signal.
class TFila {
 public:
  TFila(std::size_t total, std::size_t janela) : Total_(total), Janela_(janela), Prontas_(janela) {}

  // The next row to answer, or nothing when every row is taken or the batch stops.
  std::optional<std::size_t> Toma() {
    std::unique_lock trava(Guarda_);
    Mudou_.wait(trava,
                [&] { return Parar_ || Proxima_ >= Total_ || Proxima_ < Entregues_ + Janela_; });
    if (Parar_ || Proxima_ >= Total_) return std::nullopt;
    return Proxima_++;
  }

  void Pronta(std::size_t i, TRespostaLote r) {
    {
      const std::lock_guard trava(Guarda_);
      Prontas_[i % Janela_] = std::move(r);
    }
    Mudou_.notify_all();
  }

  // Waits for row i (the one after the last delivered) and frees its slot.
  TRespostaLote Espera(std::size_t i) {
    std::unique_lock trava(Guarda_);
    std::optional<TRespostaLote>& vaga = Prontas_[i % Janela_];
    Mudou_.wait(trava, [&] { return vaga.has_value(); });
    TRespostaLote r = std::move(*vaga);
    vaga.reset();
    Entregues_ = i + 1;
    trava.unlock();
    Mudou_.notify_all();
    return r;
  }

  void Para() {
    {
      const std::lock_guard trava(Guarda_);
      Parar_ = true;
    }
    Mudou_.notify_all();
  }

 private:
  std::mutex Guarda_;
  std::condition_variable Mudou_;
  const std::size_t Total_, Janela_;
  std::vector<std::optional<TRespostaLote>> Prontas_;
  std::size_t Proxima_ = 0, Entregues_ = 0;
  bool Parar_ = false;
};

// Stops the workers and waits for them however the delivery ends.
class TEquipe {
 public:
  explicit TEquipe(TFila& fila) : Fila_(fila) {}
  ~TEquipe() {
    Fila_.Para();
    for (std::thread& t : Threads_) t.join();
  }
  TEquipe(const TEquipe&) = delete;
  TEquipe& operator=(const TEquipe&) = delete;

  template <typename F>
  void Inicia(F&& trabalho) {
    Threads_.emplace_back(std::forward<F>(trabalho));
  }

 private:
  TFila& Fila_;
  std::vector<std::thread> Threads_;
};

}  // namespace

int TarefasPadraoLote() { return std::max(1, QThread::idealThreadCount()); }

void RespondeLote(const TBacia& bacia, const TLeitorPedidos& leitor,
                  const std::vector<QStringList>& linhas, const TRedeBalanco* rede, int tarefas,
                  const std::function<void(const TRespostaLote&)>& entrega) {
  const std::size_t total = linhas.size();
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(1, tarefas)), total);
  if (n <= 1) {
    TPonto ponto;
    for (const QStringList& linha : linhas) entrega(Responde(ponto, bacia, leitor, linha, rede));
    return;
  }

  TFila fila(total, 4 * n);
  TEquipe equipe(fila);
  for (std::size_t t = 0; t < n; ++t)
    equipe.Inicia([&] {
      // The connection is opened and closed in this thread, the only one that may use it.
      const std::unique_ptr<TdmS> dmS = TdmS::CopiaDaBase(bacia.dmS);
      const TBacia minha = ComBase(bacia, *dmS);
      TPonto ponto;
      while (const std::optional<std::size_t> i = fila.Toma())
        fila.Pronta(*i, Responde(ponto, minha, leitor, linhas[*i], rede));
    });
  for (std::size_t i = 0; i < total; ++i) entrega(fila.Espera(i));
}
