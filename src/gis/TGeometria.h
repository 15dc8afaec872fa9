#pragma once
// Our own small geometry types. Map points carry X easting and Y northing in the metres of the
// basin's projected system; geographic points carry X longitude and Y latitude in decimal
// degrees, negative south and west.

#include <QMetaType>
#include <QString>
#include <vector>

struct TPontoMapa {
  double X = 0.0;
  double Y = 0.0;
  friend bool operator==(const TPontoMapa&, const TPontoMapa&) = default;
};

// An axis-aligned rectangle in map units. Empty (default) until it holds something.
class TRetangulo {
 public:
  TRetangulo() = default;
  TRetangulo(double esquerda, double direita, double baixo, double topo);

  double Esquerda() const { return Esquerda_; }
  double Direita() const { return Direita_; }
  double Baixo() const { return Baixo_; }
  double Topo() const { return Topo_; }
  void SetEsquerda(double v) { Esquerda_ = v; }
  void SetDireita(double v) { Direita_ = v; }
  void SetBaixo(double v) { Baixo_ = v; }
  void SetTopo(double v) { Topo_ = v; }

  double Largura() const { return Direita_ - Esquerda_; }
  double Altura() const { return Topo_ - Baixo_; }
  TPontoMapa Centro() const;
  // True when it holds no point (never set, or right < left, or top < bottom).
  bool Vazio() const;

  // Scales width and height by `fator` about the centre (0.8 zooms in, 1.25 out).
  void Escala(double fator);
  // The same rectangle scaled, leaving this one as it is.
  TRetangulo Escalado(double fator) const;
  // Grows to take in a point or another rectangle (an empty one is ignored).
  void Inclui(const TPontoMapa& p);
  void Inclui(const TRetangulo& r);
  // Boundary inclusive.
  bool Contem(const TPontoMapa& p) const;
  bool Intercepta(const TRetangulo& r) const;

  friend bool operator==(const TRetangulo&, const TRetangulo&) = default;

 private:
  // An inverted rectangle is empty and absorbs the first point included.
  double Esquerda_ = 1.0;
  double Direita_ = -1.0;
  double Baixo_ = 1.0;
  double Topo_ = -1.0;
};

enum class TTipoGeometria { Nenhuma, Ponto, Linha, Poligono };

// A feature's geometry, the value of the field "Shape".
//   Ponto:    one part with one point (a multipoint has several parts of one point).
//   Linha:    one part per polyline part.
//   Poligono: one part per ring, closed or not; which rings are holes is decided by how they
//             nest, as shapefiles do, so the order and orientation of the rings do not matter.
struct TForma {
  TTipoGeometria Tipo = TTipoGeometria::Nenhuma;
  std::vector<std::vector<TPontoMapa>> Partes;

  static TForma Ponto(const TPontoMapa& p);
  static TForma Linha(std::vector<TPontoMapa> vertices);
  static TForma Poligono(std::vector<TPontoMapa> anel);

  bool Vazia() const;
  // The extent of every vertex (a line's extent, a polygon's extent, a point's degenerate one).
  TRetangulo Extensao() const;
  // The text of the shape as the record set gives it ("POINT (269041.386 8286112.632)").
  QString Texto() const;

  friend bool operator==(const TForma&, const TForma&) = default;
};

Q_DECLARE_METATYPE(TPontoMapa)
Q_DECLARE_METATYPE(TRetangulo)
Q_DECLARE_METATYPE(TForma)
