// libFuzzer target over the register row reader: one row of each register sheet (the three
// state sheets and the federal one), with every heading the imports read, any column types and
// any cell contents, walked by the import steps into drafts of the grant layers. Every row must
// be written, skipped or reported as a failing row; nothing may crash, leak or read out of
// bounds, and no file is ever written.
//
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTORVEDA_FUZZ=ON -DTORVEDA_SANITIZE=ON
//   cmake --build build-fuzz --target fuzz_linha_registro
//   build-fuzz/bin/fuzz_linha_registro -runs=20000 tests/import/fuzz/corpus
//
// Input: for each sheet in turn and each of its headings, one byte whose low two bits choose
// the cell (empty, text, number, date) and the next bits the column's type; a text takes a
// length byte and that many bytes, a number or a date eight bytes (any double, NaN and
// infinities included). Missing input leaves the remaining cells empty.

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "data/ColunasOutorgas.h"
#include "data/TTabelaPlanilha.h"
#include "gis/TCamada.h"
#include "gis/TDadosShape.h"
#include "gis/TRegistros.h"
#include "import/EsquemaOutorgas.h"
#include "import/ImportaAna.h"
#include "import/ImportaAqem.h"
#include "import/PontoProjetado.h"

namespace {

class TEntrada {
 public:
  TEntrada(const std::uint8_t* dados, std::size_t tamanho) : D_(dados), N_(tamanho) {}
  bool Fim() const { return P_ >= N_; }
  std::uint8_t Byte() { return Fim() ? 0 : D_[P_++]; }
  double Real() {
    unsigned char b[8] = {};
    for (unsigned char& c : b) c = Byte();
    double v = 0;
    std::memcpy(&v, b, sizeof v);
    return v;
  }
  QString Texto() {
    const std::size_t n = std::min<std::size_t>(Byte(), N_ - std::min(P_, N_));
    const QString t =
        QString::fromUtf8(reinterpret_cast<const char*>(D_ + P_), static_cast<qsizetype>(n));
    P_ += n;
    return t;
  }

 private:
  const std::uint8_t* D_;
  std::size_t N_;
  std::size_t P_ = 0;
};

void Preenche(TTabelaPlanilha& tabela, TEntrada& entrada) {
  std::vector<TTabelaPlanilha::TColuna> colunas;
  std::vector<QVariant> linha;
  for (const QString& titulo : ColunasOutorgas::Lidas(tabela.Folha())) {
    const std::uint8_t b = entrada.Byte();
    colunas.push_back({titulo, static_cast<TTipoColunaPlanilha>((b >> 2) % 3)});
    switch (b & 3) {
      case 0:
        linha.emplace_back();
        break;
      case 1:
        linha.emplace_back(entrada.Texto());
        break;
      case 2:
        linha.emplace_back(entrada.Real());
        break;
      default: {
        const QDateTime data = TTabelaPlanilha::DataDeDias(entrada.Real());
        linha.push_back(data.isValid() ? QVariant(data) : QVariant());
        break;
      }
    }
  }
  tabela.Preenche(QStringLiteral("fuzz.xls"), std::move(colunas), {std::move(linha)});
}

// The grant layers and the two area layers, made once in a folder of their own. The imports
// write only into drafts, which never reach the disk.
struct TCamadas {
  QTemporaryDir Pasta;
  std::unique_ptr<TCamada> Significante, Insignificante, Ana, Limite, Regioes;

  TCamadas() {
    auto grant = [&](const char* nome, const std::vector<TAtributo>& atributos) {
      auto c = std::make_unique<TCamada>();
      c->DefineDados(TDadosShape::Cria(Pasta.filePath(QLatin1String(nome)), TTipoGeometria::Ponto,
                                       EsquemaOutorgas::Campos(atributos)));
      return c;
    };
    Significante = grant("Out_Sup_Signif_AQEM", EsquemaOutorgas::Significantes());
    Insignificante = grant("Out_Sup_Insignif_AQEM", EsquemaOutorgas::Insignificantes());
    Ana = grant("Out_Sup_ANA", EsquemaOutorgas::Ana());
    // A wide square around the register's usual positions (15° to 22° S, 40° to 48° W).
    auto area = [&](const char* nome) {
      auto dados = TDadosShape::Cria(Pasta.filePath(QLatin1String(nome)), TTipoGeometria::Poligono,
                                     {TCampo::Inteiro(QStringLiteral("Regiao"))});
      const TPontoMapa a = PontoProjetado(22.0, 48.0), b = PontoProjetado(15.0, 40.0);
      const TForma forma =
          TForma::Poligono({{a.X, a.Y}, {a.X, b.Y}, {b.X, b.Y}, {b.X, a.Y}, {a.X, a.Y}});
      TRegistros r(dados, {});
      r.AdicionaNovo();
      r.DefineForma(forma);
      r.Define(QStringLiteral("Regiao"), 1);
      r.FimEdicao();
      auto c = std::make_unique<TCamada>();
      c->DefineDados(dados);
      return c;
    };
    Limite = area("Limite");
    Regioes = area("Reg_Met_Tradicional");
  }
};

TCamadas& Camadas() {
  static TCamadas camadas;
  return camadas;
}

TRegistros Rascunho(const TCamada& camada) {
  return TRegistros(camada.Dados()->NovoRascunho(), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  static int argc = 1;
  static char nome[] = "fuzz_linha_registro";
  static char* argv[] = {nome, nullptr};
  static QCoreApplication app(argc, argv);
  TCamadas& c = Camadas();
  TEntrada entrada(dados, tamanho);

  TTabelaPlanilha sup(ColunasOutorgas::FolhaSuperficial),
      cert(ColunasOutorgas::FolhaInsignificante), sub(ColunasOutorgas::FolhaSubterranea),
      ana(ColunasOutorgas::FolhaAna);
  for (TTabelaPlanilha* t : {&sup, &cert, &sub, &ana}) Preenche(*t, entrada);

  namespace E = EsquemaOutorgas;
  {
    TRegistros r = Rascunho(*c.Significante);
    ImportaSignificantes(sup, r, E::VazaoM3s, *c.Limite);
  }
  {
    TRegistros r = Rascunho(*c.Insignificante);
    ImportaInsignificantes(cert, r, E::VazaoM3s, *c.Limite);
  }
  {
    TRegistros r = Rascunho(*c.Significante);
    ImportaSignificantes(sub, r, E::VazaoM3h, *c.Limite);
  }
  {
    TRegistros r = Rascunho(*c.Insignificante);
    ImportaInsignificantes(cert, r, E::VazaoM3h, *c.Limite);
  }
  {
    TRegistros r = Rascunho(*c.Ana);
    ImportaAna(ana, r, *c.Regioes);
  }
  return 0;
}
