// Reading a Jet database through mdbtools' library. Values are decoded from the row's bytes
// rather than from the library's text forms, so that doubles keep every bit and numbers never
// pass through a locale.
// glib first: mdbtools.h includes it inside its extern "C" block, where glib's C++ parts
// (templates) cannot live; its include guard then keeps it out of there.
#include <glib.h>
#include <mdbtools.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/Erro.h"
#include "data/BaseOrigem.h"
#include "data/Esquema.h"

namespace {

constexpr int MascaraDeslocamento = 0x1fff;  // a row offset without its deleted/overflow flags

struct TFechaMdb {
  void operator()(MdbHandle* mdb) const {
    if (mdb) mdb_close(mdb);
  }
};
struct TLiberaTabela {
  void operator()(MdbTableDef* t) const {
    if (t) mdb_free_tabledef(t);
  }
};
struct TLiberaTexto {
  void operator()(char* s) const { g_free(s); }
};

using TMdb = std::unique_ptr<MdbHandle, TFechaMdb>;
using TTabelaMdb = std::unique_ptr<MdbTableDef, TLiberaTabela>;
using TTextoMdb = std::unique_ptr<char, TLiberaTexto>;

MdbColumn* ColunaMdb(MdbTableDef* t, unsigned i) {
  return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
}

// A Single holds about seven digits; the value the user typed is its shortest decimal form,
// not the binary fraction's tail (0.35, not 0.3499999940395355).
double RealSimples(float f) {
  char texto[32];
  const auto r = std::to_chars(texto, texto + sizeof texto, f);
  double d = f;
  std::from_chars(texto, r.ptr, d);
  return d;
}

// Jet dates are days since 1899-12-30; the fraction is the time of day, whatever the sign.
QDateTime DataJet(double dias) {
  const double inteiro = std::trunc(dias);
  const qint64 ms = std::llround(std::fabs(dias - inteiro) * 86400000.0);
  return QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(inteiro)), QTime(0, 0))
      .addMSecs(ms);
}

QVariant Valor(MdbHandle* mdb, const MdbColumn* c, const MdbField& f) {
  if (c->col_type == MDB_BOOL) return QVariant(!f.is_null);
  if (f.is_null || !f.value) return {};
  auto* p = static_cast<unsigned char*>(f.value);
  switch (c->col_type) {
    case MDB_BYTE:
      return QVariant(static_cast<qint64>(p[0]));
    case MDB_INT:
      return QVariant(static_cast<qint64>(static_cast<std::int16_t>(mdb_get_int16(p, 0))));
    case MDB_LONGINT:
      return QVariant(static_cast<qint64>(static_cast<std::int32_t>(mdb_get_int32(p, 0))));
    case MDB_FLOAT:
      return QVariant(RealSimples(mdb_get_single(p, 0)));
    case MDB_DOUBLE:
      return QVariant(mdb_get_double(p, 0));
    case MDB_MONEY: {
      std::int64_t centesimos = 0;
      std::memcpy(&centesimos, p, sizeof centesimos);  // little-endian, in units of 1/10000
      return QVariant(static_cast<double>(centesimos) / 10000.0);
    }
    case MDB_DATETIME:
      return QVariant(DataJet(mdb_get_double(p, 0)));
    case MDB_NUMERIC: {
      TTextoMdb s(mdb_numeric_to_string(mdb, f.start, c->col_scale, c->col_prec));
      return QVariant(QString::fromUtf8(s.get()).toDouble());
    }
    case MDB_TEXT:
    case MDB_MEMO: {
      TTextoMdb s(mdb_col_to_string(mdb, mdb->pg_buf, f.start, c->col_type, f.siz));
      return QVariant(QString::fromUtf8(s ? s.get() : ""));
    }
    default:
      // Binary, OLE and GUID columns hold nothing the schema can take.
      return QVariant(QByteArray(reinterpret_cast<const char*>(p), f.siz));
  }
}

TTabelaOrigem LeTabela(MdbHandle* mdb, MdbCatalogEntry* entrada, const TTabelaBD& esquema,
                       const QString& arquivo) {
  TTabelaMdb t(mdb_read_table(entrada));
  if (!t || !mdb_read_columns(t.get()))
    throw ETorveda(QStringLiteral("Não foi possível ler a tabela %1 de %2.")
                       .arg(esquema.Nome, QFileInfo(arquivo).fileName()));
  TTabelaOrigem tabela;
  tabela.Nome = esquema.Nome;
  std::vector<unsigned> lidas;  // the Jet column of each entry of tabela.Colunas
  for (unsigned i = 0; i < t->num_cols; ++i) {
    const QString nome = QString::fromUtf8(ColunaMdb(t.get(), i)->name);
    const TColunaBD* c = esquema.Coluna(nome);
    if (c && !tabela.Colunas.contains(c->Nome)) {
      tabela.Colunas << c->Nome;
      lidas.push_back(i);
    } else {
      tabela.ColunasIgnoradas << nome;
    }
  }

  std::vector<MdbField> campos(t->num_cols);
  mdb_rewind_table(t.get());
  int numero = 0;
  while (mdb_fetch_row(t.get())) {
    ++numero;
    // The row just fetched is still in the page buffer: crack it again for the raw bytes.
    int inicio = 0;
    size_t tamanho = 0;
    if (mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &inicio, &tamanho) != 0 ||
        mdb_crack_row(t.get(), inicio & MascaraDeslocamento, tamanho, campos.data()) < 0)
      throw ETorveda(QStringLiteral("Não foi possível ler a linha %1 da tabela %2 de %3.")
                         .arg(numero)
                         .arg(esquema.Nome, QFileInfo(arquivo).fileName()));
    std::vector<QVariant> linha;
    linha.reserve(lidas.size());
    for (unsigned i : lidas) linha.push_back(Valor(mdb, ColunaMdb(t.get(), i), campos[i]));
    tabela.Linhas.push_back(std::move(linha));
    tabela.NumerosLinha.push_back(numero);
  }
  // The library ends a table quietly at a page it cannot read (a truncated or damaged file):
  // the definition's row count tells.
  if (static_cast<unsigned>(numero) != t->num_rows)
    throw ETorveda(QStringLiteral("A tabela %1 de %2 está danificada: %3 das %4 linhas puderam "
                                  "ser lidas.")
                       .arg(esquema.Nome, QFileInfo(arquivo).fileName())
                       .arg(numero)
                       .arg(t->num_rows));
  return tabela;
}

}  // namespace

TBaseOrigem LeBaseMdb(const QString& arquivo) {
  const QString nomeArquivo = QFileInfo(arquivo).fileName();
  if (!QFileInfo(arquivo).isFile())
    throw ETorveda(QStringLiteral("O arquivo %1 não foi encontrado.").arg(arquivo));
  // MDB_NOFLAGS: read only; the library never writes to the file.
  TMdb mdb(mdb_open(QFile::encodeName(arquivo).constData(), MDB_NOFLAGS));
  if (!mdb)
    throw ETorveda(QStringLiteral("%1 não é uma base de dados Jet (Access) que se possa ler.")
                       .arg(nomeArquivo));
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
    throw ETorveda(QStringLiteral("Não foi possível ler o catálogo de %1.").arg(nomeArquivo));

  TBaseOrigem base;
  base.Arquivo = arquivo;
  for (unsigned i = 0; i < mdb->num_catalog; ++i) {
    auto* entrada = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
    if (!mdb_is_user_table(entrada)) continue;
    const QString nome = QString::fromUtf8(entrada->object_name);
    const TTabelaBD* esquema = TabelaBD(nome);
    bool repetida = false;
    for (const auto& t : base.Tabelas) repetida = repetida || (esquema && t.Nome == esquema->Nome);
    if (!esquema || repetida) {
      base.TabelasIgnoradas << nome;
      continue;
    }
    base.Tabelas.push_back(LeTabela(mdb.get(), entrada, *esquema, arquivo));
  }
  return base;
}
