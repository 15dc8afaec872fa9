#include "gis/TGeometria.h"

#include <QStringList>
#include <algorithm>

TRetangulo::TRetangulo(double esquerda, double direita, double baixo, double topo)
    : Esquerda_(esquerda), Direita_(direita), Baixo_(baixo), Topo_(topo) {}

TPontoMapa TRetangulo::Centro() const {
  return {(Esquerda_ + Direita_) / 2.0, (Baixo_ + Topo_) / 2.0};
}

bool TRetangulo::Vazio() const { return !(Direita_ >= Esquerda_ && Topo_ >= Baixo_); }

void TRetangulo::Escala(double fator) {
  if (Vazio()) return;
  const TPontoMapa c = Centro();
  const double meiaLargura = Largura() * fator / 2.0;
  const double meiaAltura = Altura() * fator / 2.0;
  Esquerda_ = c.X - meiaLargura;
  Direita_ = c.X + meiaLargura;
  Baixo_ = c.Y - meiaAltura;
  Topo_ = c.Y + meiaAltura;
}

TRetangulo TRetangulo::Escalado(double fator) const {
  TRetangulo r = *this;
  r.Escala(fator);
  return r;
}

void TRetangulo::Inclui(const TPontoMapa& p) {
  if (Vazio()) {
    *this = TRetangulo(p.X, p.X, p.Y, p.Y);
    return;
  }
  Esquerda_ = std::min(Esquerda_, p.X);
  Direita_ = std::max(Direita_, p.X);
  Baixo_ = std::min(Baixo_, p.Y);
  Topo_ = std::max(Topo_, p.Y);
}

void TRetangulo::Inclui(const TRetangulo& r) {
  if (r.Vazio()) return;
  Inclui(TPontoMapa{r.Esquerda_, r.Baixo_});
  Inclui(TPontoMapa{r.Direita_, r.Topo_});
}

bool TRetangulo::Contem(const TPontoMapa& p) const {
  return !Vazio() && p.X >= Esquerda_ && p.X <= Direita_ && p.Y >= Baixo_ && p.Y <= Topo_;
}

bool TRetangulo::Intercepta(const TRetangulo& r) const {
  return !Vazio() && !r.Vazio() && r.Esquerda_ <= Direita_ && r.Direita_ >= Esquerda_ &&
         r.Baixo_ <= Topo_ && r.Topo_ >= Baixo_;
}

TForma TForma::Ponto(const TPontoMapa& p) { return {TTipoGeometria::Ponto, {{p}}}; }

TForma TForma::Linha(std::vector<TPontoMapa> vertices) {
  return {TTipoGeometria::Linha, {std::move(vertices)}};
}

TForma TForma::Poligono(std::vector<TPontoMapa> anel) {
  return {TTipoGeometria::Poligono, {std::move(anel)}};
}

bool TForma::Vazia() const {
  if (Tipo == TTipoGeometria::Nenhuma) return true;
  return std::all_of(Partes.begin(), Partes.end(), [](const auto& p) { return p.empty(); });
}

TRetangulo TForma::Extensao() const {
  TRetangulo r;
  for (const auto& parte : Partes)
    for (const auto& p : parte) r.Inclui(p);
  return r;
}

namespace {

QString Numero(double v) { return QString::number(v, 'f', 3); }

QString Coordenadas(const std::vector<TPontoMapa>& pontos) {
  QStringList s;
  s.reserve(static_cast<qsizetype>(pontos.size()));
  for (const auto& p : pontos) s << Numero(p.X) + QLatin1Char(' ') + Numero(p.Y);
  return s.join(QStringLiteral(", "));
}

QString ListaDePartes(const std::vector<std::vector<TPontoMapa>>& partes) {
  QStringList s;
  for (const auto& parte : partes) s << QLatin1Char('(') + Coordenadas(parte) + QLatin1Char(')');
  return s.join(QStringLiteral(", "));
}

}  // namespace

QString TForma::Texto() const {
  if (Vazia()) return {};
  switch (Tipo) {
    case TTipoGeometria::Ponto:
      if (Partes.size() == 1 && Partes[0].size() == 1)
        return QStringLiteral("POINT (") + Coordenadas(Partes[0]) + QLatin1Char(')');
      return QStringLiteral("MULTIPOINT (") + ListaDePartes(Partes) + QLatin1Char(')');
    case TTipoGeometria::Linha:
      if (Partes.size() == 1)
        return QStringLiteral("LINESTRING (") + Coordenadas(Partes[0]) + QLatin1Char(')');
      return QStringLiteral("MULTILINESTRING (") + ListaDePartes(Partes) + QLatin1Char(')');
    case TTipoGeometria::Poligono:
      return QStringLiteral("POLYGON (") + ListaDePartes(Partes) + QLatin1Char(')');
    case TTipoGeometria::Nenhuma:
      break;
  }
  return {};
}
