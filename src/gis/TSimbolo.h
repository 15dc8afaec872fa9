#pragma once
// How a layer's features are drawn. Style codes:
//   points:   0 circle, 1 square, 2 triangle, 3 cross
//   lines:    0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
//   polygons: 0 solid fill, 1 transparent fill (outline only), 2 horizontal, 3 vertical,
//             4 upward diagonal, 5 downward diagonal, 6 cross, 7 diagonal cross hatching
// A layer's symbol tells the layer when it changes, so every map that shows the layer redraws;
// a copy of a symbol is a plain value that tells nobody.

#include <QColor>
#include <functional>

class TSimbolo {
 public:
  TSimbolo() = default;
  TSimbolo(const TSimbolo& outro);
  TSimbolo& operator=(const TSimbolo& outro);

  // Colour of a point marker, a line, or a polygon's fill.
  const QColor& Cor() const { return Cor_; }
  void SetCor(const QColor& cor);
  // Colour of a polygon's or a marker's outline.
  const QColor& CorContorno() const { return CorContorno_; }
  void SetCorContorno(const QColor& cor);
  int Estilo() const { return Estilo_; }
  void SetEstilo(int estilo);
  // Marker size, in pixels.
  int Tamanho() const { return Tamanho_; }
  void SetTamanho(int tamanho);
  // Width of lines and outlines, in pixels.
  int Largura() const { return Largura_; }
  void SetLargura(int largura);
  // Whether polygons and markers draw their outline.
  bool Contorno() const { return Contorno_; }
  void SetContorno(bool contorno);

  // Equal values (the observer is not compared).
  bool MesmoValor(const TSimbolo& outro) const;

  // Called after every change; the layer that owns the symbol installs it.
  void DefineObservador(std::function<void()> observador) { Observador_ = std::move(observador); }

 private:
  void Avisa();

  QColor Cor_{200, 200, 200};
  QColor CorContorno_{0, 0, 0};
  int Estilo_ = 0;
  int Tamanho_ = 7;
  int Largura_ = 1;
  bool Contorno_ = true;
  std::function<void()> Observador_;
};
