// The two register workbooks, written through GDAL's XLSX driver with the sheets and headings the
// imports read. Rows are what a real register holds: grants up and down every river, rows outside
// the basin, rows without coordinates, zero flows, certificates with both flows, one northern
// hemisphere text, one expiry before its publication, dates from the 1990s to the 2030s and
// federal monthly flows in m³/h.

#include <QDate>
#include <QFileInfo>
#include <cmath>

#include "base/Convencoes.h"
#include "amostra/Aleatorio.h"
#include "amostra/Escritas.h"
#include "amostra/Gdal.h"
#include "amostra/Shape.h"

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
  QString Rio, Municipio, Uf;
  int Lat = 0, Lon = 0;  // DDMMSS, positive south and west
};

class TSorteio {
 public:
  TSorteio(const TBacia& b, const TConversor& conv, std::uint64_t semente)
      : B_(b), Conv_(conv), Rnd_(semente) {
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
    l.X = B_.X(c) + Rnd_.Real(-0.4, 0.4) * B_.Tam;
    l.Y = B_.Y(c) + Rnd_.Real(-0.4, 0.4) * B_.Tam;
    double lon, lat;
    Conv_.ParaGeografica(l.X, l.Y, lon, lat);
    l.Lat = Dms(-lat);
    l.Lon = Dms(-lon);
    // Where the rounded coordinates land, which is what the imports will see.
    Conv_.ParaProjetada(-Graus(l.Lon), -Graus(l.Lat), l.X, l.Y);
    const std::int64_t cel = B_.CelulaDe(l.X, l.Y);
    l.NaBacia = cel >= 0 && B_.Dentro[cel];
    if (l.NaBacia) {
      std::int32_t a = static_cast<std::int32_t>(cel);
      for (int k = 0; k < 100000 && !B_.Mapeada[a] && B_.Dentro[B_.Abaixo(a)]; ++k)
        a = B_.Abaixo(a);
      if (B_.Mapeada[a]) l.Rio = B_.Rios[B_.TrechoPorHo(B_.Mapeada[a])->Rio].Nome;
    }
    const int m = B_.MunicipioDe(l.X, l.Y);
    if (m >= 0) {
      l.Municipio = B_.Municipios[m].Nome;
      l.Uf = B_.Municipios[m].Uf;
    }
    return l;
  }

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

 private:
  const TBacia& B_;
  const TConversor& Conv_;
  TAleatorio Rnd_;
  std::vector<std::int32_t> Mapeadas_;
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

int Outorgas(TSorteio& s, TPlanilha& p, int n, bool subterranea, int& processo) {
  TAleatorio& rnd = s.Rnd();
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    auto f = p.Nova();
    const QDate pub = rnd.Chance(0.01) ? QDate() : s.Data(1990, 2035);
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
    const bool zero = rnd.Chance(0.03);
    if (subterranea) {
      Numero(*f, QStringLiteral("Vazão (m³/h)"),
             zero ? 0.0 : std::round(std::exp(rnd.Real(std::log(2.0), std::log(150.0))) * 10) / 10);
      Numero(*f, QStringLiteral("Profundidade (m)"), rnd.Inteiro(40, 250));
      Texto(*f, QStringLiteral("NE/ND"),
            QStringLiteral("%1/%2").arg(rnd.Inteiro(3, 30)).arg(rnd.Inteiro(31, 90)));
      Texto(*f, QStringLiteral("Uso"), QStringLiteral("Captação subterrânea (poço tubular)"));
    } else {
      Numero(*f, QStringLiteral("Vazão (m³/s)"),
             zero ? 0.0
                  : std::round(std::exp(rnd.Real(std::log(0.002), std::log(1.2))) * 10000) / 10000);
      Texto(*f, QStringLiteral("Uso"), QStringLiteral("Captação em corpo de água"));
    }
    Texto(*f, QStringLiteral("Local"), QString::fromUtf8(Um(rnd, Fazendas)));
    Texto(*f, QStringLiteral("Tipo Outorga"),
          rnd.Chance(0.8) ? QStringLiteral("Portaria") : QStringLiteral("Autorização"));
    if (rnd.Chance(0.15)) Texto(*f, QStringLiteral("Obs"), QStringLiteral("Renovação"));
    static const int validades[] = {2, 3, 5, 5, 10, 10, 20, 35};
    Numero(*f, QStringLiteral("Validade (anos)"), Um(rnd, validades));
    Texto(*f, QStringLiteral("Finalidade"), QString::fromUtf8(Um(rnd, Finalidades)));
    p.Grava(std::move(f));
  }
  return naBacia;
}

int Certidoes(TSorteio& s, TPlanilha& p, int n, int& processo) {
  TAleatorio& rnd = s.Rnd();
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    auto f = p.Nova();
    const QDate exp = s.Data(1995, 2035);
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
    Numero(*f, QStringLiteral("Vazão (m³/s)"),
           superficial && !nada ? std::round(rnd.Real(0.0002, 0.0015) * 100000) / 100000 : 0.0);
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

int Federais(TSorteio& s, TPlanilha& p, int n) {
  TAleatorio& rnd = s.Rnd();
  int naBacia = 0;
  for (int i = 0; i < n; ++i) {
    const TLocal l = s.Local();
    naBacia += l.NaBacia;
    auto f = p.Nova();
    Texto(*f, QStringLiteral("NomeReq"), s.Pessoa());
    Numero(*f, QStringLiteral("NrPort01"), rnd.Inteiro(1, 1999));
    const QDate pub = s.Data(1995, 2035);
    Data(*f, QStringLiteral("DataPub01"), pub);
    // One grant expires before it is published, as a typing slip in a register would have it.
    Data(*f, QStringLiteral("DataVenc01"),
         i == 1 ? pub.addYears(-1) : pub.addYears(rnd.Inteiro(5, 35)));
    if (!l.Vazio) {
      Texto(*f, QStringLiteral("Latitude"), TextoGms(l.Lat));
      Texto(*f, QStringLiteral("Longitude"), TextoGms(l.Lon));
    }
    Texto(*f, QStringLiteral("Hemisferio"), i == 0 ? QStringLiteral("N") : QStringLiteral("S"));
    Texto(*f, QStringLiteral("Uf"), l.Uf);
    Texto(*f, QStringLiteral("NOME_SIMPLIFICADO_IBGE"), l.Municipio.toUpper());
    Texto(*f, QStringLiteral("TipoMan"), QStringLiteral("Captação"));
    Texto(*f, QStringLiteral("Rios"), l.Rio.toUpper());
    Texto(*f, QStringLiteral("Bacia1"), QStringLiteral("PARACATU"));
    const int uso = rnd.Inteiro(0, 15);
    Texto(*f, QStringLiteral("Finalidade"), QString::fromUtf8(ColunasUso[uso]));
    Texto(*f, QString::fromUtf8(ColunasUso[uso]), QStringLiteral("X"));
    // Irrigation draws most in the dry season; other uses draw all year.
    const double base = std::exp(rnd.Real(std::log(5.0), std::log(3000.0)));
    const int semValor = rnd.Chance(0.03) ? rnd.Inteiro(1, 12) : 0;
    const bool zerada = i == 2;
    for (int m = 1; m <= 12; ++m) {
      const QString mes = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
      const QString colQ = m == 1 ? QStringLiteral("Qc01 (m³/h)") : QStringLiteral("Qc") + mes;
      double fator = 1.0;
      if (QString::fromUtf8(ColunasUso[uso]) == QStringLiteral("Irrigação"))
        fator = (m >= 5 && m <= 9) ? 1.0 : (m == 10 || m == 4 ? 0.5 : 0.0);
      if (m != semValor) Numero(*f, colQ, zerada ? 0.0 : std::round(base * fator * 10) / 10);
      Numero(*f, m == 1 ? QStringLiteral("Tc01 (h/dia)") : QStringLiteral("Tc") + mes,
             fator > 0 ? rnd.Inteiro(4, 24) : 0);
      Numero(*f, m == 1 ? QStringLiteral("Pc01 (dias/mês)") : QStringLiteral("Pc") + mes,
             fator > 0 ? rnd.Inteiro(10, 30) : 0);
    }
    p.Grava(std::move(f));
  }
  return naBacia;
}

}  // namespace

QJsonObject EscrevePlanilhas(const TBacia& b, const TConversor& conv, int registros,
                             const QString& arquivoAqem, const QString& arquivoAna) {
  const int nSup = registros * 40 / 100, nIns = registros * 25 / 100, nSub = registros * 15 / 100;
  const int nAna = registros - nSup - nIns - nSub;
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
    resumo.insert(
        QStringLiteral("superficiais"),
        QJsonObject{{QStringLiteral("linhas"), nSup},
                    {QStringLiteral("naBacia"), Outorgas(sorteio, sup, nSup, false, processo)}});
    resumo.insert(
        QStringLiteral("insignificantes"),
        QJsonObject{{QStringLiteral("linhas"), nIns},
                    {QStringLiteral("naBacia"), Certidoes(sorteio, ins, nIns, processo)}});
    resumo.insert(
        QStringLiteral("subterraneas"),
        QJsonObject{{QStringLiteral("linhas"), nSub},
                    {QStringLiteral("naBacia"), Outorgas(sorteio, sub, nSub, true, processo)}});
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
  resumo.insert(QStringLiteral("federais"),
                QJsonObject{{QStringLiteral("linhas"), nAna},
                            {QStringLiteral("naBacia"), Federais(sorteio, ana, nAna)}});
  Fecha(ds, arquivoAna);
  return resumo;
}
