#include "gis/TRegistros.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

#include "base/Apresentador.h"
#include "base/Erro.h"
#include "gis/TDadosShape.h"
#include "gis/interno/DadosShape.h"

struct TRegistros::TBuffer {
  Ogr::TFeature Registro;
  bool Novo = false;
  qint64 Chave = -1;
};

namespace {

const QDate DiaZero(1899, 12, 30);

bool EhShape(const QString& campo) {
  return campo.compare(QLatin1String("Shape"), Qt::CaseInsensitive) == 0;
}

const OGRFeature* F(const void* p) { return static_cast<const OGRFeature*>(p); }

QLocale LocaleNumeros() {
  QLocale l;
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l;
}

QString TextoReal(double v) {
  return LocaleNumeros().toString(v, 'g', QLocale::FloatingPointShortest);
}

// A number written either way (regional or C); nullopt when it is not one.
std::optional<double> LeNumero(const QString& texto) {
  const QString t = texto.trimmed();
  if (t.isEmpty()) return std::nullopt;
  bool ok = false;
  double v = QLocale().toDouble(t, &ok);
  if (!ok) v = QLocale::c().toDouble(t, &ok);
  if (!ok) return std::nullopt;
  return v;
}

// Cuts a text to what a field of `largura` bytes holds, never in the middle of a character.
QByteArray CabeNoCampo(const QString& texto, int largura) {
  QByteArray utf8 = texto.toUtf8();
  if (largura <= 0 || utf8.size() <= largura) return utf8;
  QString t = texto;
  while (!t.isEmpty() && t.toUtf8().size() > largura) t.chop(1);
  return t.toUtf8();
}

}  // namespace

qint32 TRegistros::DiasDe(const QDate& data) {
  return data.isValid() ? static_cast<qint32>(DiaZero.daysTo(data)) : 0;
}

QDate TRegistros::DataDe(qint32 dias) { return dias == 0 ? QDate() : DiaZero.addDays(dias); }

TRegistros::TRegistros() = default;

TRegistros::TRegistros(std::shared_ptr<TDadosShape> dados, std::vector<qint64> chaves)
    : Dados_(std::move(dados)), Chaves_(std::make_shared<std::vector<qint64>>(std::move(chaves))) {
  PulaApagados();
}

TRegistros::TRegistros(const TRegistros& outro)
    : Dados_(outro.Dados_),
      Chaves_(outro.Chaves_),
      Pos_(outro.Pos_),
      Apresentador_(outro.Apresentador_) {
  if (outro.Buffer_)
    Buffer_.reset(new TBuffer{Ogr::TFeature(outro.Buffer_->Registro->Clone()), outro.Buffer_->Novo,
                              outro.Buffer_->Chave});
}

TRegistros& TRegistros::operator=(const TRegistros& outro) {
  if (this == &outro) return *this;
  GravaAoSair();
  TRegistros copia(outro);
  *this = std::move(copia);
  return *this;
}

TRegistros::TRegistros(TRegistros&& outro) noexcept
    : Dados_(std::move(outro.Dados_)),
      Chaves_(std::move(outro.Chaves_)),
      Pos_(outro.Pos_),
      Buffer_(std::move(outro.Buffer_)),
      Alterou_(outro.Alterou_),
      Apresentador_(outro.Apresentador_) {
  outro.Alterou_ = false;
  outro.Pos_ = 0;
}

TRegistros& TRegistros::operator=(TRegistros&& outro) noexcept {
  if (this == &outro) return *this;
  GravaAoSair();
  Dados_ = std::move(outro.Dados_);
  Chaves_ = std::move(outro.Chaves_);
  Pos_ = outro.Pos_;
  Buffer_ = std::move(outro.Buffer_);
  Alterou_ = outro.Alterou_;
  Apresentador_ = outro.Apresentador_;
  outro.Alterou_ = false;
  outro.Pos_ = 0;
  return *this;
}

TRegistros::~TRegistros() { GravaAoSair(); }

void TRegistros::GravaAoSair() noexcept {
  if (!Alterou_ || !Dados_) return;
  Alterou_ = false;
  try {
    Dados_->Grava();
  } catch (const ETorveda& e) {
    if (Apresentador_) Apresentador_->Erro(e.mensagem());
  } catch (const std::exception& e) {
    if (Apresentador_) Apresentador_->Erro(QString::fromLocal8Bit(e.what()));
  }
}

void TRegistros::PulaApagados() {
  if (!Dados_ || !Chaves_) return;
  const auto& d = Dados_->Dados();
  while (Pos_ < Chaves_->size() && !d.Vivo((*Chaves_)[Pos_])) ++Pos_;
}

void TRegistros::Primeiro() {
  Buffer_.reset();
  Pos_ = 0;
  PulaApagados();
}

void TRegistros::Proximo() {
  Buffer_.reset();
  if (!Fim()) ++Pos_;
  PulaApagados();
}

bool TRegistros::Fim() const { return !Chaves_ || Pos_ >= Chaves_->size(); }

qint64 TRegistros::Conta() const {
  if (!Dados_ || !Chaves_) return 0;
  const auto& d = Dados_->Dados();
  qint64 n = 0;
  for (qint64 k : *Chaves_) n += d.Vivo(k) ? 1 : 0;
  return n;
}

qint64 TRegistros::Chave() const {
  if (Buffer_) return Buffer_->Chave;
  if (Fim()) return -1;
  return (*Chaves_)[Pos_];
}

const void* TRegistros::Corrente() const {
  if (Buffer_) return Buffer_->Registro.get();
  if (Fim() || !Dados_) return nullptr;
  return Dados_->Dados().Registro((*Chaves_)[Pos_]);
}

void TRegistros::ExigeCorrente() const {
  if (!Corrente())
    throw ETorveda(QStringLiteral("Não há registro corrente em %1.")
                       .arg(Dados_ ? Dados_->Nome() : QStringLiteral("um conjunto vazio")));
}

namespace {

int Indice(const TDadosShape& d, const QString& campo) {
  const int i = d.IndiceCampo(campo);
  if (i < 0) throw ETorveda(QStringLiteral("Campo inexistente em %1: %2").arg(d.Nome(), campo));
  return i;
}

}  // namespace

int TRegistros::IndiceCampo(const QString& campo) const {
  return Dados_ ? Dados_->IndiceCampo(campo) : -1;
}

QVariant TRegistros::Valor(const QString& campo) const {
  ExigeCorrente();
  if (EhShape(campo)) return QVariant::fromValue(Ogr::DeOgr(F(Corrente())->GetGeometryRef()));
  return Valor(Indice(*Dados_, campo));
}

QVariant TRegistros::Valor(int i) const {
  ExigeCorrente();
  const OGRFeature* f = F(Corrente());
  if (i < 0 || i >= Dados_->Campos().size())
    throw ETorveda(QStringLiteral("Campo inexistente em %1: %2").arg(Dados_->Nome()).arg(i));
  if (!f->IsFieldSetAndNotNull(i)) return {};
  switch (Dados_->Campos()[i].Tipo) {
    case TTipoCampo::Texto:
      return QString::fromUtf8(f->GetFieldAsString(i));
    case TTipoCampo::Inteiro:
      return f->GetFieldAsInteger(i);
    case TTipoCampo::Inteiro64:
      return static_cast<qlonglong>(f->GetFieldAsInteger64(i));
    case TTipoCampo::Real:
      return f->GetFieldAsDouble(i);
    case TTipoCampo::Data: {
      int a = 0, m = 0, d = 0, h = 0, min = 0, tz = 0;
      float s = 0;
      if (!const_cast<OGRFeature*>(f)->GetFieldAsDateTime(i, &a, &m, &d, &h, &min, &s, &tz))
        return {};
      return QDate(a, m, d);
    }
  }
  return {};
}

QString TRegistros::Texto(const QString& campo) const {
  ExigeCorrente();
  if (EhShape(campo)) return Forma().Texto();
  const int i = Indice(*Dados_, campo);
  const QVariant v = Valor(campo);
  switch (Dados_->Campos()[i].Tipo) {
    case TTipoCampo::Texto:
      return v.toString();
    case TTipoCampo::Inteiro:
    case TTipoCampo::Inteiro64:
      return v.isValid() ? QString::number(v.toLongLong()) : QString();
    case TTipoCampo::Real:
      return v.isValid() ? TextoReal(v.toDouble()) : QString();
    case TTipoCampo::Data:
      return QString::number(DiasDe(v.toDate()));
  }
  return {};
}

qint64 TRegistros::Inteiro(const QString& campo) const {
  ExigeCorrente();
  return Inteiro(Indice(*Dados_, campo));
}

qint64 TRegistros::Inteiro(int i) const {
  const QVariant v = Valor(i);
  if (!v.isValid()) return 0;
  switch (Dados_->Campos()[i].Tipo) {
    case TTipoCampo::Texto: {
      const auto n = LeNumero(v.toString());
      return n ? std::llround(*n) : 0;
    }
    case TTipoCampo::Inteiro:
    case TTipoCampo::Inteiro64:
      return v.toLongLong();
    case TTipoCampo::Real:
      return std::llround(v.toDouble());
    case TTipoCampo::Data:
      return DiasDe(v.toDate());
  }
  return 0;
}

double TRegistros::Real(const QString& campo) const {
  ExigeCorrente();
  return Real(Indice(*Dados_, campo));
}

double TRegistros::Real(int i) const {
  const QVariant v = Valor(i);
  if (!v.isValid()) return 0.0;
  switch (Dados_->Campos()[i].Tipo) {
    case TTipoCampo::Texto:
      return LeNumero(v.toString()).value_or(0.0);
    case TTipoCampo::Inteiro:
    case TTipoCampo::Inteiro64:
      return static_cast<double>(v.toLongLong());
    case TTipoCampo::Real:
      return v.toDouble();
    case TTipoCampo::Data:
      return DiasDe(v.toDate());
  }
  return 0.0;
}

qint32 TRegistros::Data(const QString& campo) const {
  ExigeCorrente();
  return Data(Indice(*Dados_, campo));
}

qint32 TRegistros::Data(int i) const {
  const QVariant v = Valor(i);  // checks the record and the index
  if (Dados_->Campos()[i].Tipo == TTipoCampo::Data) return DiasDe(v.toDate());
  return static_cast<qint32>(Inteiro(i));
}

TForma TRegistros::Forma() const {
  ExigeCorrente();
  return Ogr::DeOgr(F(Corrente())->GetGeometryRef());
}

TPontoMapa TRegistros::Ponto() const {
  const TForma forma = Forma();
  for (const auto& parte : forma.Partes)
    if (!parte.empty()) return parte.front();
  throw ETorveda(QStringLiteral("Registro sem geometria em %1.").arg(Dados_->Nome()));
}

void TRegistros::Edita() {
  if (Buffer_) return;
  ExigeCorrente();
  Buffer_.reset(new TBuffer{Ogr::TFeature(F(Corrente())->Clone()), false, (*Chaves_)[Pos_]});
}

void TRegistros::AdicionaNovo() {
  if (!Dados_) throw ETorveda(QStringLiteral("Não há camada para o novo registro."));
  Buffer_.reset(new TBuffer{Dados_->Dados().NovoRegistro(), true, -1});
}

void TRegistros::DefineForma(const TForma& forma) {
  if (!Buffer_) Edita();
  Buffer_->Registro->SetGeometryDirectly(Ogr::ParaOgr(forma).release());
}

void TRegistros::DefinePonto(const TPontoMapa& ponto) { DefineForma(TForma::Ponto(ponto)); }

void TRegistros::Define(const QString& campo, const QVariant& valor) {
  if (!Buffer_) Edita();
  OGRFeature* f = Buffer_->Registro.get();
  if (EhShape(campo)) {
    if (!valor.isValid())
      DefineForma({});
    else if (valor.canConvert<TForma>() && valor.metaType() == QMetaType::fromType<TForma>())
      DefineForma(valor.value<TForma>());
    else if (valor.metaType() == QMetaType::fromType<TPontoMapa>())
      DefinePonto(valor.value<TPontoMapa>());
    else
      throw ETorveda(QStringLiteral("Valor inválido para a forma em %1.").arg(Dados_->Nome()));
    return;
  }
  const int i = Indice(*Dados_, campo);
  if (!valor.isValid() || valor.isNull()) {
    f->SetFieldNull(i);
    return;
  }
  const TCampo& c = Dados_->Campos()[i];
  auto naoCabe = [&] {
    return ETorveda(QStringLiteral("Valor \"%1\" não cabe no campo %2 de %3.")
                        .arg(valor.toString(), c.Nome, Dados_->Nome()));
  };
  auto numero = [&]() -> double {
    const int tipo = valor.typeId();
    if (tipo == QMetaType::QString) {
      const auto n = LeNumero(valor.toString());
      if (!n) throw naoCabe();
      return *n;
    }
    if (tipo == QMetaType::QDate) return DiasDe(valor.toDate());
    bool ok = false;
    const double v = valor.toDouble(&ok);
    if (!ok) throw naoCabe();
    return v;
  };
  switch (c.Tipo) {
    case TTipoCampo::Texto:
      f->SetField(i, CabeNoCampo(valor.toString(), c.Largura).constData());
      break;
    case TTipoCampo::Inteiro:
    case TTipoCampo::Inteiro64: {
      const double v = numero();
      if (!std::isfinite(v)) throw naoCabe();
      const long long n = std::llround(v);
      const int largura = c.Largura > 0 ? c.Largura : (c.Tipo == TTipoCampo::Inteiro ? 9 : 18);
      if (QString::number(n).size() > largura ||
          (c.Tipo == TTipoCampo::Inteiro &&
           (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())))
        throw naoCabe();
      if (c.Tipo == TTipoCampo::Inteiro)
        f->SetField(i, static_cast<int>(n));
      else
        f->SetField(i, static_cast<GIntBig>(n));
      break;
    }
    case TTipoCampo::Real: {
      const double v = numero();
      if (!std::isfinite(v)) throw naoCabe();
      f->SetField(i, v);
      break;
    }
    case TTipoCampo::Data: {
      QDate d;
      if (valor.typeId() == QMetaType::QDate)
        d = valor.toDate();
      else if (valor.typeId() == QMetaType::QDateTime)
        d = valor.toDateTime().date();
      else if (valor.typeId() == QMetaType::QString &&
               QDate::fromString(valor.toString(), Qt::ISODate).isValid())
        d = QDate::fromString(valor.toString(), Qt::ISODate);
      else {
        const double dias = numero();
        if (!std::isfinite(dias) || std::abs(dias) > 3.0e6) throw naoCabe();
        d = DataDe(static_cast<qint32>(std::floor(dias)));
      }
      if (!d.isValid()) {
        f->SetFieldNull(i);
      } else {
        if (d.year() < 1 || d.year() > 9999) throw naoCabe();
        f->SetField(i, d.year(), d.month(), d.day());
      }
      break;
    }
  }
}

void TRegistros::Atualiza() {
  if (!Buffer_) return;
  auto& d = Dados_->Dados();
  std::unique_ptr<TBuffer> b = std::move(Buffer_);
  if (b->Novo) {
    d.Registros.push_back(std::move(b->Registro));
    ++d.Vivos;
    const qint64 chave = static_cast<qint64>(d.Registros.size()) - 1;
    if (!Chaves_)
      Chaves_ = std::make_shared<std::vector<qint64>>();
    else if (Chaves_.use_count() > 1)
      Chaves_ = std::make_shared<std::vector<qint64>>(*Chaves_);
    Chaves_->push_back(chave);
    Pos_ = Chaves_->size() - 1;
  } else {
    if (!d.Vivo(b->Chave))
      throw ETorveda(QStringLiteral("O registro editado foi apagado em %1.").arg(Dados_->Nome()));
    d.Registros[static_cast<std::size_t>(b->Chave)] = std::move(b->Registro);
  }
  Alterou_ = true;
  d.Alterou();
}

void TRegistros::CancelaEdicao() { Buffer_.reset(); }

void TRegistros::Apaga() {
  if (Buffer_ && Buffer_->Novo) {
    Buffer_.reset();
    return;
  }
  Buffer_.reset();
  if (Fim() || !Dados_) throw ETorveda(QStringLiteral("Não há registro para apagar."));
  auto& d = Dados_->Dados();
  const qint64 chave = (*Chaves_)[Pos_];
  if (!d.Vivo(chave)) return;
  d.Registros[static_cast<std::size_t>(chave)].reset();
  --d.Vivos;
  Alterou_ = true;
  d.Alterou();
}

void TRegistros::FimEdicao() {
  if (Buffer_) Atualiza();
  if (!Dados_) return;
  Alterou_ = false;
  Dados_->Grava();
}
