#include "gis/TSimbolo.h"

TSimbolo::TSimbolo(const TSimbolo& outro)
    : Cor_(outro.Cor_),
      CorContorno_(outro.CorContorno_),
      Estilo_(outro.Estilo_),
      Tamanho_(outro.Tamanho_),
      Largura_(outro.Largura_),
      Contorno_(outro.Contorno_) {}

TSimbolo& TSimbolo::operator=(const TSimbolo& outro) {
  if (this == &outro) return *this;
  // The observer stays: assigning a value to a layer's symbol still tells the layer.
  Cor_ = outro.Cor_;
  CorContorno_ = outro.CorContorno_;
  Estilo_ = outro.Estilo_;
  Tamanho_ = outro.Tamanho_;
  Largura_ = outro.Largura_;
  Contorno_ = outro.Contorno_;
  Avisa();
  return *this;
}

void TSimbolo::SetCor(const QColor& cor) {
  Cor_ = cor;
  Avisa();
}

void TSimbolo::SetCorContorno(const QColor& cor) {
  CorContorno_ = cor;
  Avisa();
}

void TSimbolo::SetEstilo(int estilo) {
  Estilo_ = estilo;
  Avisa();
}

void TSimbolo::SetTamanho(int tamanho) {
  Tamanho_ = tamanho;
  Avisa();
}

void TSimbolo::SetLargura(int largura) {
  Largura_ = largura;
  Avisa();
}

void TSimbolo::SetContorno(bool contorno) {
  Contorno_ = contorno;
  Avisa();
}

bool TSimbolo::MesmoValor(const TSimbolo& outro) const {
  return Cor_ == outro.Cor_ && CorContorno_ == outro.CorContorno_ && Estilo_ == outro.Estilo_ &&
         Tamanho_ == outro.Tamanho_ && Largura_ == outro.Largura_ && Contorno_ == outro.Contorno_;
}

void TSimbolo::Avisa() {
  if (Observador_) Observador_();
}
