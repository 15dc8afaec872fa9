#include "amostra/Projeto.h"

#include <cmath>

const std::vector<TRioProjeto>& RiosProjeto() {
  // Region 1 (upper basin, north-west): the upper main stem (units 111, 112, 113) and Rio Claro
  // (114), with their headwater creeks 101-108. Region 2 (south-west): Rio Preto (211 upper, 213
  // lower) with the branches 212 and 214 and the creeks 201-205; Ribeirão São Pedro (215, with
  // 206) reaches J directly. Region 3 (east): the lower main stem (312) with Rio do Sono (311,
  // with 301 and 306) and the creeks 302-305.
  static const std::vector<TRioProjeto> rios = {
      {"Rio Paracatu",
       -1,
       0,
       0,
       {{0.15, 0.72},
        {0.20, 0.68},
        {0.25, 0.64},
        {0.30, 0.595},
        {0.345, 0.55},
        {0.385, 0.52},
        {0.42, 0.52},
        {0.455, 0.52},
        {0.55, 0.50},
        {0.65, 0.47},
        {0.75, 0.46},
        {0.85, 0.46},
        {1.05, 0.46}},
       0,
       {{0.33, 111}, {0.62, 112}, {1.0, 113}, {2.0, 312}},
       1,
       true},
      {"Rio Claro",
       0,
       -1,
       4,
       {{0.40, 0.87}, {0.43, 0.78}, {0.41, 0.68}, {0.42, 0.60}},
       114,
       {},
       3,
       true},
      {"Rio Preto",
       0,
       -1,
       128,
       {{0.09, 0.42}, {0.15, 0.37}, {0.22, 0.35}, {0.28, 0.37}, {0.33, 0.41}, {0.37, 0.46}},
       0,
       {{0.4, 211}, {1.0, 213}},
       2,
       true},
      {"Ribeirão São Pedro",
       0,
       -1,
       64,
       {{0.45, 0.12}, {0.44, 0.25}, {0.43, 0.38}, {0.42, 0.46}},
       215,
       {},
       0,
       true},
      {"Córrego da Anta", 0, 0.12, 0, {{0.09, 0.62}, {0.12, 0.66}}, 101, {}, 0, false},
      {"Córrego do Veado", 0, 0.22, 0, {{0.20, 0.84}, {0.21, 0.76}}, 102, {}, 0, false},
      {"Córrego Santa Fé", 0, 0.48, 0, {{0.17, 0.56}, {0.23, 0.57}}, 103, {}, 0, false},
      {"Ribeirão Bonito", 0, 0.70, 0, {{0.29, 0.80}, {0.31, 0.70}}, 104, {}, 0, false},
      {"Córrego Lavado", 0, 0.80, 0, {{0.26, 0.51}, {0.31, 0.535}}, 107, {}, 0, false},
      {"Córrego Fundo", 0, 0.90, 0, {{0.365, 0.68}, {0.375, 0.60}}, 108, {}, 0, false},
      {"Córrego das Pedras", 1, 0.25, 0, {{0.32, 0.85}, {0.36, 0.83}}, 105, {}, 0, false},
      {"Córrego do Retiro", 1, 0.50, 0, {{0.48, 0.80}, {0.46, 0.74}}, 106, {}, 0, false},
      {"Córrego Brejão", 2, 0.20, 0, {{0.11, 0.34}, {0.13, 0.35}}, 201, {}, 0, false},
      {"Córrego Canabrava", 2, 0.55, 0, {{0.21, 0.47}, {0.25, 0.42}}, 202, {}, 0, false},
      {"Ribeirão Santa Isabel",
       2,
       0.65,
       0,
       {{0.20, 0.22}, {0.25, 0.28}, {0.29, 0.34}},
       212,
       {},
       5,
       true},
      {"Córrego Capão", 14, 0.50, 0, {{0.16, 0.28}, {0.20, 0.29}}, 203, {}, 0, false},
      {"Ribeirão da Prata",
       2,
       0.80,
       0,
       {{0.32, 0.13}, {0.33, 0.22}, {0.345, 0.33}},
       214,
       {},
       6,
       true},
      {"Córrego Sucuri", 16, 0.45, 0, {{0.26, 0.17}, {0.29, 0.19}}, 205, {}, 0, false},
      {"Córrego Taboca", 2, 0.90, 0, {{0.30, 0.46}, {0.33, 0.455}}, 204, {}, 0, false},
      {"Córrego Gameleira", 3, 0.40, 0, {{0.51, 0.20}, {0.48, 0.26}}, 206, {}, 0, false},
      {"Rio do Sono", 0, 1.30, 0, {{0.63, 0.87}, {0.60, 0.76}, {0.61, 0.63}}, 311, {}, 4, true},
      {"Córrego Mutuca", 20, 0.35, 0, {{0.54, 0.77}, {0.57, 0.76}}, 301, {}, 0, false},
      {"Córrego Barreiro", 20, 0.55, 0, {{0.72, 0.80}, {0.66, 0.72}}, 306, {}, 0, false},
      {"Córrego Piteiras", 0, 1.65, 0, {{0.80, 0.78}, {0.77, 0.62}}, 302, {}, 0, false},
      {"Ribeirão Santo Antônio",
       0,
       1.22,
       0,
       {{0.56, 0.15}, {0.55, 0.30}, {0.54, 0.42}},
       303,
       {},
       0,
       false},
      {"Córrego Lajes", 0, 1.55, 0, {{0.70, 0.17}, {0.71, 0.32}}, 304, {}, 0, false},
      {"Córrego Confins", 0, 1.82, 0, {{0.84, 0.28}, {0.86, 0.38}}, 305, {}, 0, false},
  };
  return rios;
}

const std::vector<TEstacaoProjeto>& EstacoesProjeto() {
  static const std::vector<TEstacaoProjeto> estacoes = {
      {42250000, "Fazenda Cabeceira", 0, 0.20},  {42251000, "Porto do Cerrado", 0, 0.92},
      {42290000, "Ponte do Paracatu", 0, 1.45},  {42395000, "Barra do Paracatu", 0, 1.90},
      {42255000, "Fazenda Rio Claro", 1, 0.75},  {42257000, "Vereda do Preto", 2, 0.25},
      {42260000, "Barra do Rio Preto", 2, 0.92}, {42259000, "Santa Isabel", 14, 0.75},
      {42300000, "Fazenda do Sono", 20, 0.80},   {42280000, "Santo Antônio", 24, 0.70},
      {42253000, "Sítio das Pedras", 10, 0.60},
  };
  return estacoes;
}

const std::vector<TMunicipioProjeto>& MunicipiosProjeto() {
  static const std::vector<TMunicipioProjeto> municipios = {
      {"Cristalândia", "GO", {0.08, 0.85}},          {"Vereda Alta", "GO", {0.12, 0.55}},
      {"Planaltina do Sul", "DF", {0.10, 0.20}},     {"Buritizal de Minas", "MG", {0.35, 0.88}},
      {"Santa Rita do Cerrado", "MG", {0.32, 0.62}}, {"Lagoa Formosa do Oeste", "MG", {0.30, 0.25}},
      {"São Bento das Águas", "MG", {0.58, 0.80}},   {"Ponte Alta de Minas", "MG", {0.55, 0.45}},
      {"Guarani do Norte", "MG", {0.60, 0.12}},      {"Barra do Sono", "MG", {0.85, 0.82}},
      {"Porto Paracatu", "MG", {0.88, 0.50}},        {"Vazante Nova", "MG", {0.85, 0.15}},
  };
  return municipios;
}

bool DentroDoContorno(double u, double v, const double* harmonicos) {
  const double du = (u - 0.5) / 0.46;
  const double dv = (v - 0.5) / 0.44;
  const double t = std::atan2(dv, du);
  double r = 1.0;
  for (int k = 0; k < 4; ++k) r += 0.008 * std::sin((k + 2) * t + harmonicos[k]);
  return du * du + dv * dv <= r * r;
}
