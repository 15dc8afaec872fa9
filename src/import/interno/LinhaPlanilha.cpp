#include "import/interno/LinhaPlanilha.h"

#include <QDate>
#include <QVariant>
#include <cmath>
#include <exception>

#include "data/TTabelaPlanilha.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/GrausDMS.h"
#include "import/interno/ValorNoCampo.h"

namespace {

QVariant DataDaCelula(const TTabelaPlanilha& tabela, const QString& coluna) {
  const double dias = tabela.Data(coluna);
  if (dias == 0.0) return {};
  return TTabelaPlanilha::DataDeDias(dias).date();
}

// The cell in the type of the field that receives it: the field's type decides, since a
// column's type is only what its cells happened to hold.
QVariant Copia(const TTabelaPlanilha& tabela, const QString& coluna, const TRegistros& registros,
               const QString& campo) {
  if (tabela.Vazio(coluna)) return {};
  const auto dados = registros.Dados();
  const int i = dados ? dados->IndiceCampo(campo) : -1;
  if (i < 0) return tabela.Valor(coluna);  // the write names the missing field
  switch (dados->Campos()[i].Tipo) {
    case TTipoCampo::Texto:
      return tabela.Texto(coluna);
    case TTipoCampo::Data:
      return DataDaCelula(tabela, coluna);
    case TTipoCampo::Inteiro:
    case TTipoCampo::Inteiro64:
    case TTipoCampo::Real:
      return tabela.Numero(coluna);
  }
  return tabela.Valor(coluna);
}

}  // namespace

void LinhaPlanilha::EscreveAtributos(const TTabelaPlanilha& tabela, TRegistros& registros,
                                     const std::vector<TAtributo>& atributos, double vazao,
                                     const QString& colunaVazao, QString& coluna) {
  const auto dados = registros.Dados();
  for (const TAtributo& a : atributos) {
    coluna = a.Valor == TValorAtributo::Vazao ? colunaVazao : a.Coluna;
    QVariant valor;
    switch (a.Valor) {
      case TValorAtributo::Texto:
        valor = tabela.Texto(a.Coluna);
        break;
      case TValorAtributo::Real:
        valor = tabela.Numero(a.Coluna);
        break;
      case TValorAtributo::Inteiro: {
        const double v = tabela.Numero(a.Coluna);
        valor = std::isfinite(v) && std::fabs(v) < 9.0e18
                    ? QVariant(static_cast<qlonglong>(std::llround(v)))
                    : QVariant(v);
        break;
      }
      case TValorAtributo::Data:
        valor = DataDaCelula(tabela, a.Coluna);
        break;
      case TValorAtributo::Vazao:
        valor = vazao;
        break;
      case TValorAtributo::VazaoMensal:
        if (!tabela.Vazio(a.Coluna)) valor = tabela.Numero(a.Coluna) / 3600.0;
        break;
      case TValorAtributo::Copia:
        valor = Copia(tabela, a.Coluna, registros, a.Nome);
        break;
      case TValorAtributo::Dms:
        valor = NumeroDMS(tabela.Texto(a.Coluna), PosicoesAna);
        break;
    }
    const int i = dados ? dados->IndiceCampo(a.Nome) : -1;
    if (i >= 0 && valor.typeId() == QMetaType::Double &&
        dados->Campos()[i].Tipo == TTipoCampo::Real)
      ValorNoCampo::VerificaReal(valor.toDouble(), dados->Campos()[i]);
    registros.Define(a.Nome, valor);
  }
  coluna.clear();
}

void LinhaPlanilha::VerificaVazoesMensais(const TTabelaPlanilha& tabela,
                                          const std::vector<TAtributo>& atributos,
                                          QString& coluna) {
  for (const TAtributo& a : atributos) {
    if (a.Valor != TValorAtributo::VazaoMensal) continue;
    coluna = a.Coluna;
    if (!tabela.Vazio(a.Coluna)) ValorNoCampo::VerificaVazao(tabela.Numero(a.Coluna));
  }
  coluna.clear();
}

QString LinhaPlanilha::TextoParaMensagem(const TTabelaPlanilha& tabela, const QString& coluna) {
  if (tabela.Fim() || !tabela.TemColuna(coluna)) return {};
  try {
    return tabela.Texto(coluna);
  } catch (const std::exception&) {
    return {};
  }
}
