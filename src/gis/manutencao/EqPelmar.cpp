#include "gis/manutencao/EqPelmar.h"

#include <QHash>
#include <memory>
#include <vector>

#include "base/Erro.h"
#include "gis/TCamada.h"
#include "gis/TConexaoShape.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"

const QString ErroConexaoEqPelmar =
    QStringLiteral("Erro ao criar conexão com os dados no formato shape");

namespace {

const QString CampoHo = QStringLiteral("Ho_");
const QString CampoEq = QStringLiteral("Eq_Conserv");
const QString NomeDestino = QStringLiteral("hidrografia_ucor_nova");
const QString NomeOrigem = QStringLiteral("Rios_ProcPelmar");

void ExigeCampos(const TCamada& camada) {
  if (!camada.Valida())
    throw ETorveda(QStringLiteral("A camada %1 não tem dados.").arg(camada.Nome()));
  for (const QString& campo : {CampoHo, CampoEq})
    if (camada.Dados()->IndiceCampo(campo) < 0)
      throw ETorveda(QStringLiteral("A camada %1 não tem o campo %2.").arg(camada.Nome(), campo));
}

}  // namespace

TResultadoEqPelmar CopiaEqPelmar(const QString& pasta) {
  TConexaoShape conexao(pasta);
  if (!conexao.Conecta()) throw ETorveda(ErroConexaoEqPelmar);
  auto abre = [&conexao](const QString& nome) {
    auto dados = conexao.Dataset(nome);
    if (!dados) {
      const QString motivo = conexao.UltimoErro();
      throw ETorveda(motivo.isEmpty()
                         ? QStringLiteral("Erro ao abrir a camada %1.").arg(nome)
                         : QStringLiteral("Erro ao abrir a camada %1: %2").arg(nome, motivo));
    }
    auto camada = std::make_unique<TCamada>(nome);
    camada->DefineDados(std::move(dados));
    return camada;
  };
  auto destino = abre(NomeDestino);
  const auto origem = abre(NomeOrigem);
  return CopiaEqPelmar(*destino, *origem);
}

TResultadoEqPelmar CopiaEqPelmar(TCamada& destino, const TCamada& origem) {
  ExigeCampos(destino);
  ExigeCampos(origem);

  // The first record of each code wins, as a scan from the first record would find it.
  QHash<qint64, qint64> eqPorHo;
  TRegistros ro = origem.Registros();
  for (ro.Primeiro(); !ro.Fim(); ro.Proximo()) {
    const qint64 ho = ro.Inteiro(CampoHo);
    if (!eqPorHo.contains(ho)) eqPorHo.insert(ho, ro.Inteiro(CampoEq));
  }

  // Every new value is worked out before the first is written.
  TResultadoEqPelmar r;
  TRegistros rd = destino.Registros();
  std::vector<qint64> novos;
  std::vector<QVariant> antigos;
  for (rd.Primeiro(); !rd.Fim(); rd.Proximo()) {
    const auto it = eqPorHo.constFind(rd.Inteiro(CampoHo));
    if (it == eqPorHo.constEnd()) ++r.SemCorrespondente;
    novos.push_back(it == eqPorHo.constEnd() ? 0 : *it);
    antigos.push_back(rd.Valor(CampoEq));
  }

  std::size_t k = 0;
  try {
    for (rd.Primeiro(); !rd.Fim() && k < novos.size(); rd.Proximo(), ++k) {
      rd.Edita();
      rd.Define(CampoEq, QVariant::fromValue(novos[k]));
      rd.Atualiza();
    }
    rd.FimEdicao();
  } catch (...) {
    // Put back what was changed: the record set writes its dataset when it goes away.
    rd.CancelaEdicao();
    std::size_t j = 0;
    for (rd.Primeiro(); !rd.Fim() && j < k; rd.Proximo(), ++j) {
      try {
        rd.Edita();
        rd.Define(CampoEq, antigos[j]);
        rd.Atualiza();
      } catch (...) {
        rd.CancelaEdicao();
      }
    }
    throw;
  }
  r.Registros = static_cast<qint64>(novos.size());
  return r;
}
