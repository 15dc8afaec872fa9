#include "gis/TCamada.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/Erro.h"
#include "gis/TDadosShape.h"
#include "gis/interno/CacheCamada.h"

namespace {

double DistanciaSegmento(const QPointF& a, const QPointF& b, const TPontoMapa& p) {
  const double dx = b.x() - a.x();
  const double dy = b.y() - a.y();
  const double l2 = dx * dx + dy * dy;
  double t = 0.0;
  if (l2 > 0.0) t = std::clamp(((p.X - a.x()) * dx + (p.Y - a.y()) * dy) / l2, 0.0, 1.0);
  return std::hypot(p.X - (a.x() + t * dx), p.Y - (a.y() + t * dy));
}

// The features' filter, compiled once per search. Null when there is no filter.
class TFiltro {
 public:
  TFiltro(const TDadosShape::TDados& d, const QString& filtro) {
    if (filtro.trimmed().isEmpty()) return;
    Ogr::Inicia();
    Query_ = std::make_unique<OGRFeatureQuery>();
    CPLErrorReset();
    if (Query_->Compile(d.Defn.get(), filtro.toUtf8().constData()) != OGRERR_NONE)
      throw ETorveda(
          QStringLiteral("Filtro inválido em %1: %2 (%3)").arg(d.Nome, filtro, Ogr::UltimoErro()));
  }
  bool Aceita(OGRFeature* f) const { return !Query_ || Query_->Evaluate(f); }

 private:
  std::unique_ptr<OGRFeatureQuery> Query_;
};

}  // namespace

bool PoligonoContem(const TFeicao& f, const TPontoMapa& p) {
  if (!f.Extensao.Contem(p)) return false;
  bool dentro = false;
  for (const QPolygonF& anel : f.Partes) {
    const qsizetype n = anel.size();
    for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
      const QPointF& a = anel[i];
      const QPointF& b = anel[j];
      if (DistanciaSegmento(a, b, p) == 0.0) return true;
      if ((a.y() > p.Y) != (b.y() > p.Y) &&
          p.X < (b.x() - a.x()) * (p.Y - a.y()) / (b.y() - a.y()) + a.x())
        dentro = !dentro;
    }
  }
  return dentro;
}

double DistanciaAte(const TFeicao& f, TTipoGeometria tipo, const TPontoMapa& p) {
  if (tipo == TTipoGeometria::Poligono && PoligonoContem(f, p)) return 0.0;
  double melhor = std::numeric_limits<double>::infinity();
  for (const QPolygonF& parte : f.Partes) {
    if (parte.size() == 1 || tipo == TTipoGeometria::Ponto) {
      for (const QPointF& q : parte)
        melhor = std::min(melhor, std::hypot(p.X - q.x(), p.Y - q.y()));
      continue;
    }
    for (qsizetype i = 1; i < parte.size(); ++i)
      melhor = std::min(melhor, DistanciaSegmento(parte[i - 1], parte[i], p));
    if (tipo == TTipoGeometria::Poligono && parte.size() > 2)
      melhor = std::min(melhor, DistanciaSegmento(parte.back(), parte.front(), p));
  }
  return melhor;
}

namespace {

std::atomic<quint64> ProximaGeracao{0};

}  // namespace

void TCamada::TCaches::AtualizaFeicoes(const TDadosShape::TDados& d) {
  if (VersaoFeicoes.load(std::memory_order_acquire) == d.Versao) return;
  const std::lock_guard trava(Guarda);
  AtualizaFeicoesTravado(d);
}

void TCamada::TCaches::AtualizaFeicoesTravado(const TDadosShape::TDados& d) {
  if (VersaoFeicoes.load(std::memory_order_relaxed) == d.Versao) return;
  Feicoes.clear();
  Feicoes.reserve(static_cast<std::size_t>(d.Vivos));
  Extensao = TRetangulo();
  for (std::size_t k = 0; k < d.Registros.size(); ++k) {
    const OGRFeature* r = d.Registros[k].get();
    if (!r) continue;
    TFeicao f;
    f.Chave = static_cast<qint64>(k);
    const TForma forma = Ogr::DeOgr(r->GetGeometryRef());
    f.Partes.reserve(forma.Partes.size());
    for (const auto& parte : forma.Partes) {
      QPolygonF poli;
      poli.reserve(static_cast<qsizetype>(parte.size()));
      for (const auto& p : parte) {
        poli.append(QPointF(p.X, p.Y));
        f.Extensao.Inclui(p);
      }
      f.Partes.push_back(std::move(poli));
    }
    Extensao.Inclui(f.Extensao);
    Feicoes.push_back(std::move(f));
  }
  VersaoIndice.store(0, std::memory_order_relaxed);  // the index points into Feicoes
  VersaoFeicoes.store(d.Versao, std::memory_order_release);
}

void TCamada::TCaches::AtualizaIndice(const TDadosShape::TDados& d) {
  if (VersaoIndice.load(std::memory_order_acquire) == d.Versao) return;
  const std::lock_guard trava(Guarda);
  AtualizaFeicoesTravado(d);
  if (VersaoIndice.load(std::memory_order_relaxed) == d.Versao) return;
  Poligonos.clear();
  Baldes.clear();
  Preparadas.clear();
  Geracao = ++ProximaGeracao;
  Nx = Ny = 0;
  // Published only once the index is complete: a search never sees half of one.
  struct TPublica {
    std::atomic<quint64>& Versao;
    quint64 Valor;
    ~TPublica() { Versao.store(Valor, std::memory_order_release); }
  } publica{VersaoIndice, d.Versao};
  if (d.Geometria != TTipoGeometria::Poligono) return;

  for (const TFeicao& f : Feicoes) {
    const OGRGeometry* g = d.Registros[static_cast<std::size_t>(f.Chave)]->GetGeometryRef();
    if (!g || g->IsEmpty()) continue;
    TPoligono pol{f.Chave, {}, g, &f};
    g->getEnvelope(&pol.Env);
    Poligonos.push_back(pol);
  }
  if (Poligonos.empty()) return;

  OGREnvelope total;
  for (const auto& p : Poligonos) total.Merge(p.Env);
  // About four buckets per polygon, no more than 256 a side.
  const int lado =
      std::clamp(static_cast<int>(std::ceil(std::sqrt(4.0 * Poligonos.size()))), 1, 256);
  Nx = Ny = lado;
  X0 = total.MinX;
  Y0 = total.MinY;
  Dx = std::max((total.MaxX - total.MinX) / Nx, 1e-9);
  Dy = std::max((total.MaxY - total.MinY) / Ny, 1e-9);
  Baldes.assign(static_cast<std::size_t>(Nx) * static_cast<std::size_t>(Ny), {});
  auto celula = [](double v, double origem, double passo, int n) {
    return std::clamp(static_cast<int>(std::floor((v - origem) / passo)), 0, n - 1);
  };
  for (std::size_t i = 0; i < Poligonos.size(); ++i) {
    const OGREnvelope& e = Poligonos[i].Env;
    const int x0 = celula(e.MinX, X0, Dx, Nx), x1 = celula(e.MaxX, X0, Dx, Nx);
    const int y0 = celula(e.MinY, Y0, Dy, Ny), y1 = celula(e.MaxY, Y0, Dy, Ny);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        Baldes[static_cast<std::size_t>(y) * static_cast<std::size_t>(Nx) +
               static_cast<std::size_t>(x)]
            .push_back(static_cast<int>(i));
  }
}

const TCamada::TCaches::TPreparadas& TCamada::TCaches::PreparadasDaThread() {
  // The set used last by this thread, found again without the lock while its index stands.
  thread_local quint64 geracao = 0;
  thread_local const TPreparadas* ultimas = nullptr;
  if (ultimas && geracao == Geracao) return *ultimas;

  const std::lock_guard trava(Guarda);
  std::unique_ptr<TPreparadas>& minhas = Preparadas[std::this_thread::get_id()];
  if (!minhas) {
    minhas = std::make_unique<TPreparadas>();
    minhas->reserve(Poligonos.size());
    const bool geos = OGRGeometryFactory::haveGEOS();
    for (const TPoligono& pol : Poligonos)
      minhas->emplace_back(geos ? OGRCreatePreparedGeometry(OGRGeometry::ToHandle(
                                      const_cast<OGRGeometry*>(pol.Geometria)))
                                : nullptr);
  }
  geracao = Geracao;
  ultimas = minhas.get();
  return *minhas;
}

TCamada::TCamada(const QString& nome, QObject* pai)
    : QObject(pai), Nome_(nome), Caches_(std::make_unique<TCaches>()) {
  Simbolo_.DefineObservador([this] {
    SimboloAlterado_ = true;
    emit Alterada();
  });
}

TCamada::~TCamada() = default;

void TCamada::DefineDados(std::shared_ptr<TDadosShape> dados) {
  if (ConexaoDados_) disconnect(ConexaoDados_);
  Dados_ = std::move(dados);
  Caches_ = std::make_unique<TCaches>();
  if (Dados_) {
    Nome_ = Dados_->Nome();
    ConexaoDados_ = connect(Dados_.get(), &TDadosShape::Alterado, this, &TCamada::Alterada);
  }
  emit Alterada();
}

TTipoGeometria TCamada::Geometria() const {
  return Dados_ ? Dados_->Geometria() : TTipoGeometria::Nenhuma;
}

void TCamada::SetVisivel(bool visivel) {
  if (Visivel_ == visivel) return;
  Visivel_ = visivel;
  emit Alterada();
}

TRetangulo TCamada::Extensao() const {
  if (!Dados_) return {};
  Caches_->AtualizaFeicoes(Dados_->Dados());
  return Caches_->Extensao;
}

void TCamada::DefineRotulos(const QString& campo) {
  CampoRotulo_ = campo;
  emit Alterada();
}

TRegistros TCamada::Registros() const {
  if (!Dados_) return {};
  return TRegistros(Dados_, Dados_->Dados().Chaves());
}

TRegistros TCamada::ProcuraPorDistancia(const TPontoMapa& ponto, double distancia,
                                        const QString& filtro) const {
  if (!Dados_) return {};
  const auto& d = Dados_->Dados();
  const TFiltro f(d, filtro);
  Caches_->AtualizaFeicoes(d);
  std::vector<qint64> chaves;
  const TRetangulo perto(ponto.X - distancia, ponto.X + distancia, ponto.Y - distancia,
                         ponto.Y + distancia);
  for (const TFeicao& feicao : Caches_->Feicoes) {
    if (!feicao.Extensao.Intercepta(perto)) continue;
    if (DistanciaAte(feicao, d.Geometria, ponto) > distancia) continue;
    if (!f.Aceita(d.Registro(feicao.Chave))) continue;
    chaves.push_back(feicao.Chave);
  }
  return TRegistros(Dados_, std::move(chaves));
}

TRegistros TCamada::ProcuraPorForma(const TPontoMapa& ponto, int relacao,
                                    const QString& filtro) const {
  if (relacao != 12)
    throw ETorveda(
        QStringLiteral("Relação espacial %1 não suportada na busca por forma.").arg(relacao));
  if (!Dados_) return {};
  const TFiltro f(Dados_->Dados(), filtro);
  std::vector<qint64> chaves;
  for (qint64 k : PoligonosQueContem(ponto))
    if (f.Aceita(Dados_->Dados().Registro(k))) chaves.push_back(k);
  return TRegistros(Dados_, std::move(chaves));
}

std::vector<qint64> TCamada::PoligonosQueContem(const TPontoMapa& ponto) const {
  std::vector<qint64> chaves;
  if (!Dados_) return chaves;
  Caches_->AtualizaIndice(Dados_->Dados());
  Caches_->Contem(ponto, [&](qint64 k) {
    chaves.push_back(k);
    return true;
  });
  return chaves;
}

qint64 TCamada::PrimeiroPoligonoQueContem(const TPontoMapa& ponto) const {
  qint64 chave = -1;
  if (!Dados_) return chave;
  Caches_->AtualizaIndice(Dados_->Dados());
  Caches_->Contem(ponto, [&](qint64 k) {
    chave = k;
    return false;
  });
  return chave;
}

bool TCamada::ContemPonto(const TPontoMapa& ponto) const {
  return PrimeiroPoligonoQueContem(ponto) >= 0;
}

TRegistros TCamada::Registro(qint64 chave) const {
  if (!Dados_ || !Dados_->Dados().Vivo(chave))
    throw ETorveda(QStringLiteral("Registro %1 inexistente em %2.").arg(chave).arg(Nome_));
  return TRegistros(Dados_, {chave});
}

QVariant TCamada::Valor(qint64 chave, const QString& campo) const {
  return Registro(chave).Valor(campo);
}

QString TCamada::Texto(qint64 chave, const QString& campo) const {
  return Registro(chave).Texto(campo);
}

quint64 TCamada::Versao() const { return Dados_ ? Dados_->Versao() : 0; }
