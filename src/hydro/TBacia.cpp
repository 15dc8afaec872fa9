#include "hydro/TBacia.h"

#include <QVariant>
#include <cmath>

#include "gis/TCamada.h"
#include "raster/THeaderMDE.h"

namespace {

// A station code as the layer holds it, whatever the field's type: the text of a text field,
// the decimal digits of a number; empty when blank.
QString TextoEstacao(const TRegistros& r) {
  const QVariant v = r.Valor(QStringLiteral("EstFlu"));
  if (v.isNull() || !v.isValid()) return {};
  switch (v.typeId()) {
    case QMetaType::Double: {
      const double d = v.toDouble();
      if (std::isfinite(d) && std::trunc(d) == d && std::fabs(d) < 1e15)
        return QString::number(static_cast<qint64>(d));
      return QString::number(d, 'g', 17);
    }
    case QMetaType::Int:
    case QMetaType::LongLong:
      return QString::number(v.toLongLong());
    default:
      return v.toString().trimmed();
  }
}

}  // namespace

TTabelaArcos LeTabelaArcos(const TCamada& hidrografia) {
  std::vector<TArco> arcos;
  TRegistros r = hidrografia.Registros();
  arcos.reserve(static_cast<std::size_t>(std::max<qint64>(0, r.Conta())));
  for (r.Primeiro(); !r.Fim(); r.Proximo()) {
    TArco a;
    a.Ho = static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Ho_")));
    a.Fnode = static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Fnode_")));
    a.Tnode = static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Tnode_")));
    a.EqConserv = static_cast<std::int32_t>(r.Inteiro(QStringLiteral("Eq_Conserv")));
    a.EstFlu = TextoEstacao(r);
    a.NomeRio = r.Texto(QStringLiteral("Textuserid"));
    a.Registro = r.Chave();
    const TRetangulo e = r.Forma().Extensao();
    if (!e.Vazio()) {
      a.XMin = e.Esquerda();
      a.XMax = e.Direita();
      a.YMin = e.Baixo();
      a.YMax = e.Topo();
    }
    arcos.push_back(std::move(a));
  }
  return TTabelaArcos(std::move(arcos));
}

std::shared_ptr<const TTabelaArcos> TCacheArcos::Tabela(const TCamada& hidrografia) {
  const quint64 versao = hidrografia.Versao();
  const std::lock_guard trava(Guarda_);
  if (!Tabela_ || Camada_ != &hidrografia || Versao_ != versao) {
    Tabela_ = std::make_shared<const TTabelaArcos>(LeTabelaArcos(hidrografia));
    Camada_ = &hidrografia;
    Versao_ = versao;
  }
  return Tabela_;
}

TRede TBacia::Rede() const {
  return TRede(TMalha(HeaderMDE), ImgHidroMapeada, ImgHidroSemEsp, ImgDirEsc, ImgFluxoAc,
               CacheArcos->Tabela(Hidrografia));
}
