// The generator as a whole: same seed, same files; bad requests refused without touching data.

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include "base/Erro.h"
#include "comum/PastaTemporaria.h"
#include "amostra/Amostra.h"

namespace {

QByteArray Resumo(const QString& arquivo) {
  QFile f(arquivo);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The files whose bytes depend only on the options (the workbooks carry the time of writing).
const char* const Arquivos[] = {"Dados/DadosSIG/Matrizes/hidro_mapeada.flt",
                                "Dados/DadosSIG/Matrizes/hidro_sem_esp.flt",
                                "Dados/DadosSIG/Matrizes/dir_esc.flt",
                                "Dados/DadosSIG/Matrizes/fluxo_ac.flt",
                                "Dados/DadosSIG/Hidrografia.shp",
                                "Dados/DadosSIG/Hidrografia.dbf",
                                "Dados/DadosSIG/Ad_Regioes.shp",
                                "Dados/DadosSIG/Municipios.dbf",
                                "Dados/DadosSIG/Est_Pluviometricas.shp"};

TEST(Amostra, MesmaSementeMesmosArquivosOutraSementeOutraBacia) {
  TPastaTemporaria a, b, c;
  TOpcoesAmostra o;
  o.Colunas = 200;
  o.Linhas = 180;
  o.Registros = 40;
  o.Semente = 7;
  const QJsonObject ra = GeraAmostra(a.Caminho(), o);
  const QJsonObject rb = GeraAmostra(b.Caminho(), o);
  o.Semente = 8;
  GeraAmostra(c.Caminho(), o);
  for (const char* arq : Arquivos) {
    const QByteArray ha = Resumo(a.Caminho() + QLatin1Char('/') + QLatin1String(arq));
    ASSERT_FALSE(ha.isEmpty()) << arq;
    EXPECT_EQ(ha, Resumo(b.Caminho() + QLatin1Char('/') + QLatin1String(arq))) << arq;
  }
  EXPECT_NE(Resumo(a.Caminho() + QStringLiteral("/Dados/DadosSIG/Matrizes/dir_esc.flt")),
            Resumo(c.Caminho() + QStringLiteral("/Dados/DadosSIG/Matrizes/dir_esc.flt")));
  EXPECT_EQ(ra[QStringLiteral("secoes")], rb[QStringLiteral("secoes")]);
  EXPECT_EQ(ra[QStringLiteral("colunas")].toInt(), 200);
  EXPECT_EQ(ra[QStringLiteral("linhas")].toInt(), 180);
}

// A folder that already holds a data tree keeps it untouched; no staging folder is left behind.
TEST(Amostra, NaoSobrescreveDadosExistentes) {
  TPastaTemporaria pasta;
  const QString antigo =
      pasta.Escreve(QStringLiteral("Dados/DadosBD/TORVEDA.sqlite"), "dados reais");
  TOpcoesAmostra o;
  o.Colunas = o.Linhas = 150;
  try {
    GeraAmostra(pasta.Caminho(), o);
    FAIL() << "sobrescreveu";
  } catch (const ETorveda& e) {
    EXPECT_TRUE(e.mensagem().contains(QStringLiteral("Dados/"))) << e.what();
  }
  QFile f(antigo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("dados reais"));
  EXPECT_TRUE(QDir(pasta.Caminho())
                  .entryList({QStringLiteral(".amostra-*")}, QDir::Hidden | QDir::Dirs)
                  .isEmpty());
  EXPECT_FALSE(QFileInfo::exists(pasta.Caminho() + QStringLiteral("/DadosSIG")));
}

TEST(Amostra, RecusaTamanhosForaDosLimitesSemEscrever) {
  TPastaTemporaria pasta;
  for (auto [colunas, linhas] : {std::pair{149, 400}, std::pair{400, 10001}}) {
    TOpcoesAmostra o;
    o.Colunas = colunas;
    o.Linhas = linhas;
    EXPECT_THROW(GeraAmostra(pasta.Caminho(), o), ETorveda);
  }
  TOpcoesAmostra o;
  o.Registros = -1;
  EXPECT_THROW(GeraAmostra(pasta.Caminho(), o), ETorveda);
  o.Registros = 10;
  o.NomeBase = QStringLiteral("../fora");
  EXPECT_THROW(GeraAmostra(pasta.Caminho(), o), ETorveda);
  EXPECT_TRUE(QDir(pasta.Caminho())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
                  .isEmpty());
}

// A renamed executable gets its own database and workbooks; a non-square grid works.
TEST(Amostra, NomeBaseEGradeRetangular) {
  TPastaTemporaria pasta;
  TOpcoesAmostra o;
  o.Colunas = 260;
  o.Linhas = 170;
  o.Registros = 0;
  o.NomeBase = QStringLiteral("OUTRO");
  const QJsonObject r = GeraAmostra(pasta.Caminho(), o);
  for (const char* arq : {"OUTRO.sqlite", "OUTRO_Outorgas_AQEM.xlsx", "OUTRO_Outorgas_ANA.xlsx"})
    EXPECT_TRUE(
        QFileInfo::exists(pasta.Caminho() + QStringLiteral("/Dados/DadosBD/") + QLatin1String(arq)))
        << arq;
  EXPECT_EQ(
      QFileInfo(pasta.Caminho() + QStringLiteral("/Dados/DadosSIG/Matrizes/fluxo_ac.flt")).size(),
      260 * 170 * 4);
  EXPECT_GT(r[QStringLiteral("trechos")].toInt(), 27);
}

}  // namespace
