// torveda-cli lote: answers a table of grant requests in one run. The data tree is loaded once;
// each row is placed and analysed as `analise` does, without writing to the "Ponto" layer or the
// picture folder, and gets one answer row, written in input order as soon as it and the rows
// before it are made; with --jusante the row also carries the downstream check of every arc end
// below the section. --tarefas N answers N rows at once (one per core when not given); the
// output is the same for any N.
//
//   lote ENTRADA.csv|ENTRADA.xlsx --saida SAIDA.csv|SAIDA.xlsx|SAIDA.json [--jusante]
//        [--tarefas N]
//   lote --modelo ARQ.csv|ARQ.xlsx    writes an input table with the headings and one example
//
// Exit codes: 0 every request answered "ok"; 1 the data tree did not load, the input could not
// be read, or some request was not answered (its row says why); 2 bad arguments.

#include <unistd.h>

#include <QFileInfo>
#include <cstdio>

#include "app/cli/Cli.h"
#include "base/Erro.h"
#include "data/ArquivoTabela.h"
#include "grants/Lote.h"
#include "grants/LoteParalelo.h"
#include "hydro/BaciaDoSistema.h"
#include "sistema/TSistema.h"

namespace {

// A bar on the terminal for long runs; nothing when stderr is a file or a pipe.
class TBarraProgresso {
 public:
  explicit TBarraProgresso(int total) : Total_(total), Ativa_(isatty(STDERR_FILENO) && total > 1) {}
  ~TBarraProgresso() {
    if (Ativa_) std::fputs("\n", stderr);
  }
  TBarraProgresso(const TBarraProgresso&) = delete;
  TBarraProgresso& operator=(const TBarraProgresso&) = delete;

  void Avanca(int feitos, int falhas) {
    if (!Ativa_) return;
    constexpr int largura = 40;
    const int cheio = Total_ > 0 ? feitos * largura / Total_ : largura;
    const QByteArray linha =
        QStringLiteral("\r[%1%2] %3/%4 pedidos, %5 sem resposta")
            .arg(QString(cheio, QLatin1Char('#')), QString(largura - cheio, QLatin1Char(' ')))
            .arg(feitos)
            .arg(Total_)
            .arg(falhas)
            .toUtf8();
    std::fputs(linha.constData(), stderr);
    std::fflush(stderr);
  }

 private:
  int Total_;
  bool Ativa_;
};

int Modelo(const TComandoCli& comando, TContextoCli& ctx, const QString& arquivo) {
  try {
    if (FormatoDoArquivo(arquivo) == TFormatoTabela::Json)
      return ErroDeUso(comando,
                       QStringLiteral("O modelo é uma planilha .xlsx ou um arquivo .csv."));
    // The sheet holds requests to fill in, not answers.
    TEscritorTabela saida(arquivo, ColunasPedidoLote(), QStringLiteral("Pedidos"));
    saida.Escreve(ExemploPedidoLote());
    saida.Conclui();
    ImprimeJson({{QStringLiteral("Modelo"), QFileInfo(arquivo).absoluteFilePath()}});
    return 0;
  } catch (const ETorveda& e) {
    ctx.Apresentador.Erro(e.mensagem());
  }
  return 1;
}

int Lote(const TComandoCli& comando, TContextoCli& ctx) {
  QStringList a = ctx.Args;
  if (a.size() == 2 && a[0] == QStringLiteral("--modelo")) return Modelo(comando, ctx, a[1]);
  int tarefas = TarefasPadraoLote();
  if (const qsizetype i = a.indexOf(QStringLiteral("--tarefas")); i >= 0) {
    bool ok = false;
    const int n = i + 1 < a.size() ? a[i + 1].toInt(&ok) : 0;
    if (!ok || n < 1)
      return ErroDeUso(comando, QStringLiteral("--tarefas pede um número inteiro maior que zero."));
    tarefas = n;
    a.remove(i, 2);
  }
  const bool jusante = a.size() == 4 && a[3] == QStringLiteral("--jusante");
  if ((a.size() != 3 && !jusante) || a[1] != QStringLiteral("--saida"))
    return ErroDeUso(comando, QStringLiteral("Informe a tabela de pedidos e --saida ARQ."));
  const QString entrada = a[0], arquivoSaida = a[2];
  try {
    FormatoDoArquivo(arquivoSaida);
    if (FormatoDoArquivo(entrada) == TFormatoTabela::Json)
      return ErroDeUso(comando, QStringLiteral("A tabela de pedidos é .csv ou .xlsx."));
  } catch (const ETorveda& e) {
    return ErroDeUso(comando, e.mensagem());
  }

  try {
    // The requests are read before the data are loaded, so a bad table is told at once.
    const TTabelaLida tabela = LeTabela(entrada);
    const TLeitorPedidos leitor(tabela.Colunas);

    auto sistema = IniciaSistema(ctx);
    if (!sistema->MapasCarregados) {
      for (const TCarga& c : sistema->Cargas())
        if (!c.Ok) throw ETorveda(c.Mensagem.isEmpty() ? c.Nome : c.Mensagem);
    }
    const TBacia bacia = BaciaDoSistema(*sistema);
    // The network is read once for every request's downstream check.
    std::optional<TRedeBalanco> rede;
    if (jusante) rede.emplace(bacia, bacia.Rede());

    TEscritorTabela saida(arquivoSaida, ColunasRespostaLote(jusante));
    const int total = static_cast<int>(tabela.Linhas.size());
    TBarraProgresso barra(total);
    int feitos = 0, falhas = 0;
    // Sections of the run's own: the program's section and its layer stay as they are.
    RespondeLote(bacia, leitor, tabela.Linhas, rede ? &*rede : nullptr, tarefas,
                 [&](const TRespostaLote& r) {
                   if (!r.Ok) ++falhas;
                   saida.Escreve(LinhaRespostaLote(r, jusante));
                   barra.Avanca(++feitos, falhas);
                 });
    saida.Conclui();
    ImprimeJson({{QStringLiteral("Pedidos"), total},
                 {QStringLiteral("Respondidos"), total - falhas},
                 {QStringLiteral("SemResposta"), falhas},
                 {QStringLiteral("Saida"), QFileInfo(arquivoSaida).absoluteFilePath()}});
    return falhas == 0 ? 0 : 1;
  } catch (const ETorveda& e) {
    ctx.Apresentador.Erro(e.mensagem());
  } catch (const std::exception& e) {
    ctx.Apresentador.Erro(QString::fromLocal8Bit(e.what()));
  }
  return 1;
}

const TComandoCli ComandoLote{
    QStringLiteral("lote"),
    QStringLiteral("ENTRADA.csv|ENTRADA.xlsx --saida SAIDA.csv|SAIDA.xlsx|SAIDA.json [--jusante] "
                   "[--tarefas N]  |  lote --modelo ARQ.xlsx"),
    [](TContextoCli& ctx) { return Lote(ComandoLote, ctx); }};

[[maybe_unused]] const bool registrado = RegistraComando(ComandoLote);

}  // namespace
