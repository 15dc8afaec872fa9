// The two register workbooks, written through GDAL's XLSX driver with the sheets and headings the
// imports read. Rows are what a real register holds: grants up and down every river, rows outside
// the basin, rows without coordinates, zero flows, certificates with both flows, one northern
// hemisphere text, one expiry before its publication, dates from the 1990s to the 2030s and
// federal monthly flows in m³/h.

#include <QDate>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>

#include "amostra/Aleatorio.h"
#include "amostra/Demanda.h"
#include "amostra/Escritas.h"
#include "amostra/Gdal.h"
#include "amostra/Hidrologia.h"
#include "amostra/Shape.h"
#include "base/Convencoes.h"

using namespace gdal_amostra;

namespace {

const char* const Nomes[] = {"José",   "Maria",     "Antônio",   "Ana",    "João",    "Francisca",
                             "Carlos", "Luzia",     "Paulo",     "Helena", "Geraldo", "Rita",
                             "Pedro",  "Aparecida", "Sebastião", "Tereza"};
const char* const Sobrenomes[] = {"da Silva", "Pereira",  "Alves",    "Rodrigues", "Gonçalves",
                                  "Ferreira", "Martins",  "Souza",    "Lima",      "Carvalho",
                                  "Ribeiro",  "Nogueira", "Teixeira", "Moreira",   "Campos"};
const char* const Empresas[] = {
    "Agropecuária Vale Verde Ltda.", "Cooperativa Agrícola do Cerrado",
    "Mineração Serra Azul S.A.",     "Usina Boa Safra S.A.",
    "Laticínios Santa Clara Ltda.",  "Serviço Municipal de Água e Esgoto",
    "Fazendas Reunidas Três Barras", "Piscicultura Águas Claras Ltda."};
const char* const Fazendas[] = {
    "Fazenda Boa Vista",  "Fazenda Santa Helena", "Fazenda Barreiro",
    "Fazenda São Miguel", "Sítio Olho d'Água",    "Fazenda Tabocas",
    "Fazenda Cachoeira",  "Chácara Recanto",      "Fazenda Vereda Bonita"};
const char* const Finalidades[] = {"Irrigação",
                                   "Abastecimento público",
                                   "Dessedentação de animais",
                                   "Consumo industrial",
                                   "Mineração",
                                   "Aquicultura"};
const char* const ColunasUso[] = {"Abastecimento", "Aquicultura", "Indústria",    "Irrigação",
                                  "Saneamento",    "Mineração",   "PequenosUsos", "Hidrogeração",
                                  "Termogeração",  "Obras",       "Diversos",     "Serviços",
                                  "Travessia",     "Navegação",   "Lazer",        "Outros"};
template <typename T, std::size_t N>
const T& Um(TAleatorio& rnd, const T (&lista)[N]) {
  return lista[rnd.Proximo() % N];
}

// Where a register row lies.
struct TLocal {
  bool Vazio = false;
  double X = 0, Y = 0;
  bool NaBacia = false;
  std::int64_t Celula = -1;  // where the imports will place the point; -1 outside the grid
  double VazaoLocal = 0;     // Q7,10 of the mapped river its water reaches, m³/s
  QString Rio, Municipio, Uf;
  int Lat = 0, Lon = 0;  // DDMMSS, positive south and west
};

class TSorteio {
 public:
  TSorteio(const TBacia& b, const TConversor& conv, std::uint64_t semente)
      : B_(b), Conv_(conv), Rnd_(semente) {
    VazaoBacia_ = VazaoDaRegiao(0, 3, (b.Fluxo[b.Exutorio] + 1) * Convencao::AreaCelulaKm2);
    for (const auto& t : b.Trechos)
      Mapeadas_.insert(Mapeadas_.end(), t.Celulas.begin(), t.Celulas.end());
  }
  TAleatorio& Rnd() { return Rnd_; }

  TLocal Local(bool permiteVazio = true) {
    TLocal l;
    const double r = Rnd_.Real();
    if (permiteVazio && r < 0.03) {
      l.Vazio = true;
      return l;
    }
    std::int32_t c = -1;
    if (r < 0.08) {
      // Outside the basin: a corner of the grid, or beyond it.
      for (int k = 0; k < 1000 && c < 0; ++k) {
        const auto v =
            static_cast<std::int32_t>(Rnd_.Proximo() % static_cast<std::uint64_t>(B_.Celulas()));
        if (!B_.Dentro[v]) c = v;
      }
    } else if (r < 0.80) {
      // Most grants draw from a river: a few cells from a mapped one.
      for (int k = 0; k < 1000 && c < 0; ++k) {
        const std::int32_t m = Mapeadas_[Rnd_.Proximo() % Mapeadas_.size()];
        const int col = B_.Coluna(m) + Rnd_.Inteiro(-2, 2), lin = B_.Linha(m) + Rnd_.Inteiro(-2, 2);
        if (B_.NaGrade(col, lin) && B_.Dentro[B_.Indice(col, lin)]) c = B_.Indice(col, lin);
      }
    } else {
      for (int k = 0; k < 1000 && c < 0; ++k) {
        const auto v =
            static_cast<std::int32_t>(Rnd_.Proximo() % static_cast<std::uint64_t>(B_.Celulas()));
        if (B_.Dentro[v]) c = v;
      }
    }
    if (c < 0) c = B_.Exutorio;
    Coloca(l, B_.X(c) + Rnd_.Real(-0.4, 0.4) * B_.Tam, B_.Y(c) + Rnd_.Real(-0.4, 0.4) * B_.Tam);
    return l;
  }

  // The row's coordinates for a point, and what the imports will make of them.
  void Coloca(TLocal& l, double x, double y) const {
    l.X = x;
    l.Y = y;
    double lon, lat;
    Conv_.ParaGeografica(l.X, l.Y, lon, lat);
    l.Lat = Dms(-lat);
    l.Lon = Dms(-lon);
    // Where the rounded coordinates land, which is what the imports will see.
    Conv_.ParaProjetada(-Graus(l.Lon), -Graus(l.Lat), l.X, l.Y);
    const std::int64_t cel = B_.CelulaDe(l.X, l.Y);
    l.Celula = cel;
    l.NaBacia = cel >= 0 && B_.Dentro[cel];
    if (l.NaBacia) {
      std::int32_t a = static_cast<std::int32_t>(cel);
      for (int k = 0; k < 100000 && !B_.Mapeada[a] && B_.Dentro[B_.Abaixo(a)]; ++k)
        a = B_.Abaixo(a);
      if (B_.Mapeada[a]) l.Rio = B_.Rios[B_.TrechoPorHo(B_.Mapeada[a])->Rio].Nome;
      l.VazaoLocal = VazaoDaRegiao(0, std::max(1, B_.Unidade[a] / 100),
                                   (B_.Fluxo[a] + 1) * Convencao::AreaCelulaKm2);
    }
    const int m = B_.MunicipioDe(l.X, l.Y);
    if (m >= 0) {
      l.Municipio = B_.Municipios[m].Nome;
      l.Uf = B_.Municipios[m].Uf;
    }
  }

  // Q7,10 at the outlet: the scale of the whole basin's demand.
  double VazaoBacia() const { return VazaoBacia_; }
  const TBacia* Bacia() const { return &B_; }

  static int Dms(double graus) {
    const auto s = static_cast<int>(std::lround(graus * 3600));
    return (s / 3600) * 10000 + (s % 3600 / 60) * 100 + s % 60;
  }
  static double Graus(int dms) {
    return dms / 10000 + (dms / 100 % 100) / 60.0 + (dms % 100) / 3600.0;
  }

  QString Pessoa() {
    if (Rnd_.Chance(0.25)) return QString::fromUtf8(Um(Rnd_, Empresas));
    return QString::fromUtf8(Um(Rnd_, Nomes)) + QLatin1Char(' ') +
           QString::fromUtf8(Um(Rnd_, Sobrenomes)) + QLatin1Char(' ') +
           QString::fromUtf8(Um(Rnd_, Sobrenomes));
  }
  QDate Data(int anoInicial, int anoFinal) {
    const QDate a(anoInicial, 1, 1), b(anoFinal, 12, 31);
    return a.addDays(Rnd_.Inteiro(0, static_cast<int>(a.daysTo(b))));
  }
  // A date whose density grows linearly over the span: requests grow with the years.
  QDate DataCrescente(int anoInicial, int anoFinal) {
    const QDate a(anoInicial, 1, 1), b(anoFinal, 12, 31);
    return a.addDays(static_cast<int>(std::sqrt(Rnd_.Real()) * static_cast<double>(a.daysTo(b))));
  }

 private:
  const TBacia& B_;
  const TConversor& Conv_;
  TAleatorio Rnd_;
  std::vector<std::int32_t> Mapeadas_;
  double VazaoBacia_ = 0;
};

class TPlanilha {
 public:
  TPlanilha(GDALDataset& ds, const QString& nome) {
    Camada_ = ds.CreateLayer(nome.toUtf8().constData(), nullptr, wkbNone, nullptr);
    if (!Camada_)
      throw ETorveda(QStringLiteral("Erro ao criar a planilha %1: %2").arg(nome, UltimoErro()));
  }
  void Coluna(const QString& nome, OGRFieldType tipo) {
    OGRFieldDefn def(nome.toUtf8().constData(), tipo);
    if (Camada_->CreateField(&def) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Erro ao criar a coluna %1: %2").arg(nome, UltimoErro()));
  }
  TFeicao Nova() const { return TFeicao(OGRFeature::CreateFeature(Camada_->GetLayerDefn())); }
  void Grava(TFeicao f) {
    if (Camada_->CreateFeature(f.get()) != OGRERR_NONE)
      throw ETorveda(QStringLiteral("Erro ao gravar a planilha: %1").arg(UltimoErro()));
  }

 private:
  OGRLayer* Camada_ = nullptr;
};

void Texto(OGRFeature& f, const QString& coluna, const QString& valor) {
  if (!valor.isEmpty()) f.SetField(coluna.toUtf8().constData(), valor.toUtf8().constData());
}
void Numero(OGRFeature& f, const QString& coluna, double valor) {
  f.SetField(coluna.toUtf8().constData(), valor);
}
void Data(OGRFeature& f, const QString& coluna, const QDate& d) {
  if (d.isValid())
    f.SetField(f.GetFieldIndex(coluna.toUtf8().constData()), d.year(), d.month(), d.day());
}

TDataset NovoLivro(const QString& arquivo) {
  TSilencio silencio;
  TDataset ds(Driver("XLSX")->Create(arquivo.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
  if (!ds)
    throw ETorveda(QStringLiteral("Erro ao criar a planilha %1: %2").arg(arquivo, UltimoErro()));
  return ds;
}

void Fecha(TDataset& ds, const QString& arquivo) {
  // The workbook is written when it is closed.
  TSilencio silencio;
  ds.reset();
  if (CPLGetLastErrorType() >= CE_Failure || !QFileInfo::exists(arquivo))
    throw ETorveda(QStringLiteral("Erro ao gravar %1: %2").arg(arquivo, UltimoErro()));
}

// The columns of the two state grant sheets, in the agency's order.
QStringList ColunasOutorgas() {
  return {QStringLiteral("Nº Processo"),
          QStringLiteral("Data entrada"),
          QStringLiteral("Requerente"),
          QStringLiteral("Nº Portaria"),
          QStringLiteral("Data Publicação"),
          QStringLiteral("Município"),
          QStringLiteral("Rio Estadual"),
          QStringLiteral("Rio Federal"),
          QStringLiteral("Recurso hídrico"),
          QStringLiteral("Latitude"),
          QStringLiteral("Longitude"),
          QStringLiteral("Vazão (m³/s)"),
          QStringLiteral("Vazão (m³/h)"),
          QStringLiteral("Local"),
          QStringLiteral("Tipo Outorga"),
          QStringLiteral("Obs"),
          QStringLiteral("Validade (anos)"),
          QStringLiteral("Finalidade"),
          QStringLiteral("Uso"),
          QStringLiteral("Profundidade (m)"),
          QStringLiteral("NE/ND")};
}

OGRFieldType TipoColuna(const QString& c, bool subterranea) {
  static const QStringList datas{QStringLiteral("Data entrada"), QStringLiteral("Data Publicação"),
                                 QStringLiteral("Data Expedição"), QStringLiteral("DataPub01"),
                                 QStringLiteral("DataVenc01")};
  static const QStringList numeros{
      QStringLiteral("Nº Portaria"),     QStringLiteral("Latitude"),
      QStringLiteral("Longitude"),       QStringLiteral("Vazão (m³/h)"),
      QStringLiteral("Validade (anos)"), QStringLiteral("Profundidade (m)"),
      QStringLiteral("Nº Certidão"),     QStringLiteral("NrPort01")};
  if (datas.contains(c)) return OFTDate;
  if (c == QStringLiteral("Vazão (m³/s)")) return subterranea ? OFTString : OFTReal;
  if (numeros.contains(c)) return OFTReal;
  return OFTString;
}

void Rios(OGRFeature& f, const TLocal& l) {
  if (l.Rio == QStringLiteral("Rio Paracatu"))
    Texto(f, QStringLiteral("Rio Federal"), l.Rio);
  else
    Texto(f, QStringLiteral("Rio Estadual"), l.Rio);
  Texto(f, QStringLiteral("Recurso hídrico"), l.Rio.isEmpty() ? QStringLiteral("Nascente") : l.Rio);
}

void Coordenadas(OGRFeature& f, const TLocal& l) {
  if (l.Vazio) return;
  Numero(f, QStringLiteral("Latitude"), l.Lat);
  Numero(f, QStringLiteral("Longitude"), l.Lon);
}

// A surface grant's flow: the basin's demand shared among the register's rows, each row a few
// times more or less than its share, and never more than 15 % of the Q7,10 of the river it draws
// from (the agencies' usual cap for one user).
double VazaoSuperficial(TSorteio& s, const TLocal& l, double escala) {
  double q = std::exp(s.Rnd().Real(std::log(0.25), std::log(4.0))) * escala;
  if (l.NaBacia) q = std::min(q, 0.15 * l.VazaoLocal);
  return std::max(0.00001, std::round(q * 100000) / 100000);
}

int Outorgas(TSorteio& s, TPlanilha& p, int n, bool subterranea, int& processo, TDemanda& d) {
  TAleatorio& rnd = s.Rnd();
  const double escala = 0.30 * s.VazaoBacia() / std::max(1, n);
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    auto f = p.Nova();
    const QDate pub = rnd.Chance(0.01) ? QDate() : s.DataCrescente(1990, 2035);
    const int ano = pub.isValid() ? pub.year() : 2000;
    Texto(*f, QStringLiteral("Nº Processo"),
          QStringLiteral("%1/%2").arg(++processo, 5, 10, QLatin1Char('0')).arg(ano));
    Data(*f, QStringLiteral("Data entrada"),
         pub.isValid() ? pub.addDays(-rnd.Inteiro(20, 400)) : QDate());
    Texto(*f, QStringLiteral("Requerente"), s.Pessoa());
    Numero(*f, QStringLiteral("Nº Portaria"), rnd.Inteiro(1, 3999));
    Data(*f, QStringLiteral("Data Publicação"), pub);
    Texto(*f, QStringLiteral("Município"), l.Municipio);
    Rios(*f, l);
    Coordenadas(*f, l);
    static const int validades[] = {2, 3, 5, 5, 10, 10, 20, 35};
    const int validade = Um(rnd, validades);
    const bool zero = rnd.Chance(0.03);
    if (subterranea) {
      Numero(*f, QStringLiteral("Vazão (m³/h)"),
             zero ? 0.0 : std::round(std::exp(rnd.Real(std::log(2.0), std::log(150.0))) * 10) / 10);
      Numero(*f, QStringLiteral("Profundidade (m)"), rnd.Inteiro(40, 250));
      Texto(*f, QStringLiteral("NE/ND"),
            QStringLiteral("%1/%2").arg(rnd.Inteiro(3, 30)).arg(rnd.Inteiro(31, 90)));
      Texto(*f, QStringLiteral("Uso"), QStringLiteral("Captação subterrânea (poço tubular)"));
    } else {
      const double q = zero ? 0.0 : VazaoSuperficial(s, l, escala);
      Numero(*f, QStringLiteral("Vazão (m³/s)"), q);
      Texto(*f, QStringLiteral("Uso"), QStringLiteral("Captação em corpo de água"));
      if (!l.Vazio && l.NaBacia && q > 0) d.SomaEstadual(l.Celula, q, pub, 12 * validade + 1);
    }
    Texto(*f, QStringLiteral("Local"), QString::fromUtf8(Um(rnd, Fazendas)));
    Texto(*f, QStringLiteral("Tipo Outorga"),
          rnd.Chance(0.8) ? QStringLiteral("Portaria") : QStringLiteral("Autorização"));
    if (rnd.Chance(0.15)) Texto(*f, QStringLiteral("Obs"), QStringLiteral("Renovação"));
    Numero(*f, QStringLiteral("Validade (anos)"), validade);
    Texto(*f, QStringLiteral("Finalidade"), QString::fromUtf8(Um(rnd, Finalidades)));
    p.Grava(std::move(f));
  }
  return naBacia;
}

int Certidoes(TSorteio& s, TPlanilha& p, int n, int& processo, TDemanda& d) {
  TAleatorio& rnd = s.Rnd();
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    auto f = p.Nova();
    const QDate exp = s.DataCrescente(1995, 2035);
    Texto(*f, QStringLiteral("Nº Processo"),
          QStringLiteral("%1/%2").arg(++processo, 5, 10, QLatin1Char('0')).arg(exp.year()));
    Data(*f, QStringLiteral("Data entrada"), exp.addDays(-rnd.Inteiro(5, 120)));
    Texto(*f, QStringLiteral("Requerente"), s.Pessoa());
    Numero(*f, QStringLiteral("Nº Certidão"), rnd.Inteiro(1, 99999));
    Data(*f, QStringLiteral("Data Expedição"), exp);
    Texto(*f, QStringLiteral("Município"), l.Municipio);
    Rios(*f, l);
    Coordenadas(*f, l);
    // Surface only, groundwater only, both (the first certificate always), or none.
    const double r = rnd.Real();
    const bool superficial = i == 0 || r < 0.70, subterranea = i == 0 || r >= 0.40;
    const bool nada = i > 0 && rnd.Chance(0.03);
    // An insignificant use is small by definition, and smaller still on a small creek.
    double q = 0;
    if (superficial && !nada) {
      q = rnd.Real(0.0002, 0.0015);
      if (l.NaBacia) q = std::min(q, 0.02 * l.VazaoLocal);
      q = std::max(0.00001, std::round(q * 100000) / 100000);
      if (!l.Vazio && l.NaBacia) d.SomaEstadual(l.Celula, q, exp, 37);
    }
    Numero(*f, QStringLiteral("Vazão (m³/s)"), q);
    Numero(*f, QStringLiteral("Vazão (m³/h)"),
           subterranea && !nada ? std::round(rnd.Real(0.5, 10.0) * 10) / 10 : 0.0);
    Texto(*f, QStringLiteral("Tipo"),
          superficial && subterranea ? QStringLiteral("Mista")
          : superficial              ? QStringLiteral("Superficial")
                                     : QStringLiteral("Subterrânea"));
    Numero(*f, QStringLiteral("Validade (anos)"), 3);
    Texto(*f, QStringLiteral("Local"), QString::fromUtf8(Um(rnd, Fazendas)));
    Texto(*f, QStringLiteral("Finalidade"), QString::fromUtf8(Um(rnd, Finalidades)));
    Texto(*f, QStringLiteral("Uso"), QStringLiteral("Uso insignificante"));
    Texto(*f, QStringLiteral("UPGRH"), QStringLiteral("SF7"));
    p.Grava(std::move(f));
  }
  return naBacia;
}

QString TextoGms(int dms) {
  return QStringLiteral("%1° %2' %3\"")
      .arg(dms / 10000, 2, 10, QLatin1Char('0'))
      .arg(dms / 100 % 100, 2, 10, QLatin1Char('0'))
      .arg(dms % 100, 2, 10, QLatin1Char('0'));
}

// The columns of one federal row that every row fills the same way.
void Federal(TPlanilha& p, TSorteio& s, const TLocal& l, const QString& requerente, int portaria,
             const QDate& pub, const QDate& venc, bool norte, int uso,
             const std::array<double, 12>& m3h, int semValor) {
  TAleatorio& rnd = s.Rnd();
  auto f = p.Nova();
  Texto(*f, QStringLiteral("NomeReq"), requerente);
  Numero(*f, QStringLiteral("NrPort01"), portaria);
  Data(*f, QStringLiteral("DataPub01"), pub);
  Data(*f, QStringLiteral("DataVenc01"), venc);
  if (!l.Vazio) {
    Texto(*f, QStringLiteral("Latitude"), TextoGms(l.Lat));
    Texto(*f, QStringLiteral("Longitude"), TextoGms(l.Lon));
  }
  Texto(*f, QStringLiteral("Hemisferio"), norte ? QStringLiteral("N") : QStringLiteral("S"));
  Texto(*f, QStringLiteral("Uf"), l.Uf);
  Texto(*f, QStringLiteral("NOME_SIMPLIFICADO_IBGE"), l.Municipio.toUpper());
  Texto(*f, QStringLiteral("TipoMan"), QStringLiteral("Captação"));
  Texto(*f, QStringLiteral("Rios"), l.Rio.toUpper());
  Texto(*f, QStringLiteral("Bacia1"), QStringLiteral("PARACATU"));
  Texto(*f, QStringLiteral("Finalidade"), QString::fromUtf8(ColunasUso[uso]));
  Texto(*f, QString::fromUtf8(ColunasUso[uso]), QStringLiteral("X"));
  for (int m = 1; m <= 12; ++m) {
    const QString mes = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    const QString colQ = m == 1 ? QStringLiteral("Qc01 (m³/h)") : QStringLiteral("Qc") + mes;
    if (m != semValor) Numero(*f, colQ, m3h[m - 1]);
    Numero(*f, m == 1 ? QStringLiteral("Tc01 (h/dia)") : QStringLiteral("Tc") + mes,
           m3h[m - 1] > 0 ? rnd.Inteiro(4, 24) : 0);
    Numero(*f, m == 1 ? QStringLiteral("Pc01 (dias/mês)") : QStringLiteral("Pc") + mes,
           m3h[m - 1] > 0 ? rnd.Inteiro(10, 30) : 0);
  }
  p.Grava(std::move(f));
}

// What the federal import makes of a row's monthly flows: m³/h to m³/s, a blank month empty.
std::array<double, 12> EmM3s(const std::array<double, 12>& m3h, int semValor) {
  std::array<double, 12> v{};
  for (int m = 0; m < 12; ++m) v[m] = m + 1 == semValor ? 0.0 : m3h[m] / 3600.0;
  return v;
}

int Federais(TSorteio& s, TPlanilha& p, int n, TDemanda& d) {
  TAleatorio& rnd = s.Rnd();
  // The federal register's share of the demand, in m³/h a row.
  const double escala = 0.15 * s.VazaoBacia() * 3600 / std::max(1, n);
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    const QString requerente = s.Pessoa();
    const int portaria = rnd.Inteiro(1, 1999);
    const QDate pub = s.DataCrescente(1995, 2035);
    // One grant expires before it is published, as a typing slip in a register would have it.
    const QDate venc = i == 1 ? pub.addYears(-1) : pub.addYears(rnd.Inteiro(5, 35));
    const int uso = rnd.Inteiro(0, 15);
    // Irrigation draws most in the dry season; other uses draw all year.
    double base = std::exp(rnd.Real(std::log(0.25), std::log(4.0))) * escala;
    if (l.NaBacia) base = std::min(base, 0.15 * l.VazaoLocal * 3600);
    const int semValor = rnd.Chance(0.03) ? rnd.Inteiro(1, 12) : 0;
    const bool zerada = i == 2;
    std::array<double, 12> m3h{};
    for (int m = 1; m <= 12; ++m) {
      double fator = 1.0;
      if (QString::fromUtf8(ColunasUso[uso]) == QStringLiteral("Irrigação"))
        fator = (m >= 5 && m <= 9) ? 1.0 : (m == 10 || m == 4 ? 0.5 : 0.0);
      m3h[m - 1] = zerada ? 0.0 : std::round(base * fator * 10) / 10;
    }
    // The first row's point lies in the northern hemisphere, outside the basin.
    Federal(p, s, l, requerente, portaria, pub, venc, i == 0, uso, m3h, semValor);
    if (i != 0 && !l.Vazio && l.NaBacia) d.SomaFederal(l.Celula, EmM3s(m3h, semValor), pub, venc);
  }
  return naBacia;
}

// A point on the first of the candidate cells whose coordinates, as the register rounds them,
// land where the demand counts at section `alvo` and at none of the others but `tambem`; false
// when no candidate does.
bool LocalPara(TSorteio& s, const TDemanda& d, const std::vector<std::int32_t>& candidatas,
               std::size_t alvo, std::size_t tambem, TLocal& l) {
  const TBacia& b = *s.Bacia();
  for (std::int32_t c : candidatas) {
    s.Coloca(l, b.X(c), b.Y(c));
    if (!l.NaBacia || !d.AMontante(alvo, l.Celula)) continue;
    bool outra = false;
    for (std::size_t i = 0; i < d.Alvos().size(); ++i)
      outra = outra || (i != alvo && i != tambem && d.AMontante(i, l.Celula));
    if (!outra) return true;
  }
  return false;
}

std::size_t Indice(const TDemanda& d, const char* chave) {
  for (std::size_t i = 0; i < d.Alvos().size(); ++i)
    if (d.Alvos()[i].Chave == QLatin1String(chave)) return i;
  return d.Alvos().size();
}

// The over-committed tributary: three irrigation grants above its section that together take
// more than its allowable flow from 2000 on.
int Sobrecarga(TSorteio& s, TPlanilha& p, int& processo, TDemanda& d) {
  const std::size_t i = Indice(d, "sobrecarregada");
  const std::size_t principal = Indice(d, "principal");
  if (i == d.Alvos().size()) return 0;
  const TBacia& b = *s.Bacia();
  const TAlvoDemanda& alvo = d.Alvos()[i];
  const auto& rio = b.Rios[b.TrechoPorHo(alvo.Ho)->Rio].Celulas;
  const auto fim = std::find(rio.begin(), rio.end(), alvo.Celula);
  struct TPedido {
    double Fracao, Parte;
    QDate Publicacao;
    const char* Requerente;
  };
  const TPedido pedidos[] = {{0.20, 0.90, QDate(1997, 3, 14), "Agropecuária Vale Verde Ltda."},
                             {0.45, 0.50, QDate(1999, 8, 2), "Fazendas Reunidas Três Barras"},
                             {0.70, 0.40, QDate(2009, 5, 20), "Cooperativa Agrícola do Cerrado"}};
  int escritas = 0;
  for (const auto& pe : pedidos) {
    std::vector<std::int32_t> candidatas(
        rio.begin() +
            static_cast<std::ptrdiff_t>(pe.Fracao * static_cast<double>(fim - rio.begin())),
        fim);
    TLocal l;
    if (!LocalPara(s, d, candidatas, i, principal, l)) continue;
    const double q = std::max(0.00001, std::round(pe.Parte * alvo.Permissivel * 100000) / 100000);
    auto f = p.Nova();
    Texto(
        *f, QStringLiteral("Nº Processo"),
        QStringLiteral("%1/%2").arg(++processo, 5, 10, QLatin1Char('0')).arg(pe.Publicacao.year()));
    Data(*f, QStringLiteral("Data entrada"), pe.Publicacao.addDays(-180));
    Texto(*f, QStringLiteral("Requerente"), QString::fromUtf8(pe.Requerente));
    Numero(*f, QStringLiteral("Nº Portaria"), 100 + processo);
    Data(*f, QStringLiteral("Data Publicação"), pe.Publicacao);
    Texto(*f, QStringLiteral("Município"), l.Municipio);
    Rios(*f, l);
    Coordenadas(*f, l);
    Numero(*f, QStringLiteral("Vazão (m³/s)"), q);
    Texto(*f, QStringLiteral("Uso"), QStringLiteral("Captação em corpo de água"));
    Texto(*f, QStringLiteral("Local"), QStringLiteral("Fazenda Boa Vista"));
    Texto(*f, QStringLiteral("Tipo Outorga"), QStringLiteral("Portaria"));
    Numero(*f, QStringLiteral("Validade (anos)"), 35);
    Texto(*f, QStringLiteral("Finalidade"), QStringLiteral("Irrigação"));
    p.Grava(std::move(f));
    d.SomaEstadual(l.Celula, q, pe.Publicacao, 12 * 35 + 1);
    ++escritas;
  }
  return escritas;
}

// The share of the allowable flow that the main-stem section is meant to show: growing from
// about 40 % in 2000 to 115 % in 2030, higher in the dry season, and kept off the classes'
// thresholds so that the analysis shows every class for whole months.
double ParcelaProjetada(int ano, int mes) {
  const double bruta =
      40.0 + 75.0 * (ano - demanda::AnoInicial) / (demanda::AnoFinal - demanda::AnoInicial) +
      12.0 * std::cos(2 * M_PI * (mes - 8) / 12.0);
  if (bruta <= 70) return std::min(bruta, 64.0);
  if (bruta <= 90) return std::clamp(bruta, 75.0, 85.0);
  if (bruta <= 100) return std::clamp(bruta, 93.0, 97.0);
  return std::max(bruta, 106.0);
}

// An irrigation district on the main stem above the main-stem section, authorized year by year by
// the federal agency for what its new areas draw: with the rest of the registers, it brings the
// main-stem section through every class as the years go by.
int Distrito(TSorteio& s, TPlanilha& p, TDemanda& d) {
  const std::size_t i = Indice(d, "principal");
  if (i == d.Alvos().size()) return 0;
  const TBacia& b = *s.Bacia();
  const TAlvoDemanda& alvo = d.Alvos()[i];
  const auto& rio = b.Rios[0].Celulas;
  const auto fim = std::find(rio.begin(), rio.end(), alvo.Celula);
  const auto juncao = std::find(rio.begin(), fim, b.Juncao);
  std::vector<std::int32_t> candidatas(juncao + (fim - juncao) / 2, fim);
  TLocal l;
  if (!LocalPara(s, d, candidatas, i, i, l)) return 0;
  int escritas = 0;
  for (int ano = demanda::AnoInicial; ano <= demanda::AnoFinal; ++ano) {
    std::array<double, 12> m3h{};
    for (int mes = 1; mes <= 12; ++mes) {
      const int k = (ano - demanda::AnoInicial) * 12 + mes - 1;
      const double falta = ParcelaProjetada(ano, mes) / 100 * alvo.Permissivel - d.Total(i, k);
      m3h[mes - 1] = std::max(0.0, std::round(falta * 3600 * 10) / 10);
    }
    const QDate pub(ano, 1, 1), venc(ano, 12, 31);
    Federal(p, s, l, QStringLiteral("Distrito de Irrigação do Médio Paracatu"), 2000 + escritas,
            pub, venc, false, 3, m3h, 0);
    d.SomaFederal(l.Celula, EmM3s(m3h, 0), pub, venc);
    ++escritas;
  }
  return escritas;
}

}  // namespace

QJsonObject EscrevePlanilhas(const TBacia& b, const TConversor& conv, int registros,
                             TDemanda& demanda, const QString& arquivoAqem,
                             const QString& arquivoAna) {
  const int nSup = registros * 40 / 100, nIns = registros * 25 / 100, nSub = registros * 15 / 100;
  const int nAna = registros - nSup - nIns - nSub;
  // The rows that tell the sections' stories come out of the registers' count, when it is large
  // enough to hold them.
  const bool historias = registros >= 200;
  const int nSobrecarga = historias ? 3 : 0;
  const int nDistrito = historias ? demanda::AnoFinal - demanda::AnoInicial + 1 : 0;
  TSorteio sorteio(b, conv, b.Semente + 41);
  QJsonObject resumo;
  int processo = 0;
  {
    TDataset ds = NovoLivro(arquivoAqem);
    TPlanilha sup(*ds, QStringLiteral("Outorgas Água Superficial"));
    for (const QString& c : ColunasOutorgas()) sup.Coluna(c, TipoColuna(c, false));
    TPlanilha ins(*ds, QStringLiteral("Certidões de Uso Insignificante"));
    for (const QString& c : {QStringLiteral("Nº Processo"),
                             QStringLiteral("Data entrada"),
                             QStringLiteral("Requerente"),
                             QStringLiteral("Nº Certidão"),
                             QStringLiteral("Data Expedição"),
                             QStringLiteral("Município"),
                             QStringLiteral("Rio Estadual"),
                             QStringLiteral("Rio Federal"),
                             QStringLiteral("Recurso hídrico"),
                             QStringLiteral("Latitude"),
                             QStringLiteral("Longitude"),
                             QStringLiteral("Vazão (m³/s)"),
                             QStringLiteral("Vazão (m³/h)"),
                             QStringLiteral("Tipo"),
                             QStringLiteral("Obs"),
                             QStringLiteral("Validade (anos)"),
                             QStringLiteral("Local"),
                             QStringLiteral("Finalidade"),
                             QStringLiteral("Uso"),
                             QStringLiteral("UPGRH"),
                             QStringLiteral("Profundidade (m)"),
                             QStringLiteral("NE/ND"),
                             QStringLiteral("F23")})
      ins.Coluna(c, TipoColuna(c, false));
    TPlanilha sub(*ds, QStringLiteral("Outorgas Água Subterrânea"));
    for (const QString& c : ColunasOutorgas()) sub.Coluna(c, TipoColuna(c, true));
    int naBacia = Outorgas(sorteio, sup, nSup - nSobrecarga, false, processo, demanda);
    const int sobrecarga = historias ? Sobrecarga(sorteio, sup, processo, demanda) : 0;
    resumo.insert(QStringLiteral("superficiais"),
                  QJsonObject{{QStringLiteral("linhas"), nSup - nSobrecarga + sobrecarga},
                              {QStringLiteral("naBacia"), naBacia + sobrecarga}});
    resumo.insert(
        QStringLiteral("insignificantes"),
        QJsonObject{{QStringLiteral("linhas"), nIns},
                    {QStringLiteral("naBacia"), Certidoes(sorteio, ins, nIns, processo, demanda)}});
    resumo.insert(QStringLiteral("subterraneas"),
                  QJsonObject{{QStringLiteral("linhas"), nSub},
                              {QStringLiteral("naBacia"),
                               Outorgas(sorteio, sub, nSub, true, processo, demanda)}});
    Fecha(ds, arquivoAqem);
  }
  TDataset ds = NovoLivro(arquivoAna);
  TPlanilha ana(*ds, QStringLiteral("Outorgas ANA"));
  QStringList colunas{QStringLiteral("NomeReq"),    QStringLiteral("NrPort01"),
                      QStringLiteral("DataPub01"),  QStringLiteral("DataVenc01"),
                      QStringLiteral("NrPort02"),   QStringLiteral("DataPub02"),
                      QStringLiteral("DataVenc02"), QStringLiteral("Latitude"),
                      QStringLiteral("Hemisferio"), QStringLiteral("Longitude"),
                      QStringLiteral("Uf"),         QStringLiteral("NOME_SIMPLIFICADO_IBGE"),
                      QStringLiteral("TipoMan"),    QStringLiteral("Rios"),
                      QStringLiteral("Bacia1"),     QStringLiteral("Finalidade")};
  for (int m = 1; m <= 12; ++m) {
    const QString mes = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    colunas << (m == 1 ? QStringLiteral("Qc01 (m³/h)") : QStringLiteral("Qc") + mes)
            << (m == 1 ? QStringLiteral("Tc01 (h/dia)") : QStringLiteral("Tc") + mes)
            << (m == 1 ? QStringLiteral("Pc01 (dias/mês)") : QStringLiteral("Pc") + mes);
  }
  for (const char* uso : ColunasUso) colunas << QString::fromUtf8(uso);
  for (const QString& c : colunas) {
    const bool numero = c.startsWith(QLatin1String("Qc")) || c.startsWith(QLatin1String("Tc")) ||
                        c.startsWith(QLatin1String("Pc")) || c == QStringLiteral("NrPort01");
    ana.Coluna(c, c.startsWith(QLatin1String("Data")) && c.endsWith(QLatin1String("01")) ? OFTDate
                  : numero                                                               ? OFTReal
                           : OFTString);
  }
  const int naBacia = Federais(sorteio, ana, nAna - nDistrito, demanda);
  const int distrito = historias ? Distrito(sorteio, ana, demanda) : 0;
  resumo.insert(QStringLiteral("federais"),
                QJsonObject{{QStringLiteral("linhas"), nAna - nDistrito + distrito},
                            {QStringLiteral("naBacia"), naBacia + distrito}});
  Fecha(ds, arquivoAna);
  return resumo;
}
