// Start-up steps 4 and 5 over real files: the header and the four drainage grids in place.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <limits>

#include "GradesTeste.h"
#include "comum/ApresentadorRoteirizado.h"
#include "comum/PastaTemporaria.h"
#include "raster/THeaderMDE.h"
#include "raster/TImagem.h"
#include "sistema/TSistema.h"

using namespace GradesTeste;

namespace {

const QString ErroHeader = QStringLiteral("Erro ao abrir o arquivo Header.hdr");
const QString ErroMatrizes = QStringLiteral(
    "Erro ao abrir as Matrizes: hidro_mapeada.hdr, hidro_sem_esp.hdr, dir_esc.hdr, e "
    "fluxo_ac.hdr");

// The Matrizes folder of a data tree, with the header and four 3 x 2 grids.
void Matrizes(const TPastaTemporaria& pasta) {
  const QString dir = QStringLiteral("Dados/DadosSIG/Matrizes/");
  pasta.Escreve(dir + QStringLiteral("Header.hdr"),
                "ncols         3\r\nnrows         2\r\nxllcorner     1000\r\n"
                "yllcorner     2000\r\ncellsize      50\r\nNODATA_value  -9999\r\n");
  float base = 0;
  for (const char* nome : {"hidro_mapeada", "hidro_sem_esp", "dir_esc", "fluxo_ac"}) {
    ParArcView(pasta.Arquivo(dir + QLatin1String(nome)), 3, 2,
               {base, base + 1, base + 2, base + 3, base + 4, -9999.f});
    base += 10;
  }
  // Directions that the walks can follow: east and south, out through the no-data cell.
  ParArcView(pasta.Arquivo(dir + QStringLiteral("dir_esc")), 3, 2, {1, 4, 4, 1, 1, -9999.f});
}

const TCarga* Carga(const TSistema& s, const QString& nome) {
  for (const auto& c : s.Cargas())
    if (c.Nome == nome) return &c;
  return nullptr;
}

}  // namespace

TEST(SistemaMatrizes, TudoPresenteCarregaEmDiscoSemMensagens) {
  TPastaTemporaria pasta;
  Matrizes(pasta);
  TApresentadorRoteirizado apresentador;
  TSistema s(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
  s.CriaFormPrincipal(apresentador);
  for (const QString& m : {ErroHeader, ErroMatrizes})
    EXPECT_FALSE(apresentador.Textos().contains(m));
  ASSERT_NE(s.HeaderMDE, nullptr);
  EXPECT_EQ(s.HeaderMDE->NCols(), 3);
  EXPECT_DOUBLE_EQ(s.HeaderMDE->CellSize(), 50);
  const TImagem* grades[] = {s.ImgHidroMapeada.get(), s.ImgHidroSemEsp.get(), s.ImgDirEsc.get(),
                             s.ImgFluxoAc.get()};
  for (int k = 0; k < 4; ++k) {
    ASSERT_NE(grades[k], nullptr);
    EXPECT_TRUE(grades[k]->EmDisco());
    EXPECT_EQ(grades[k]->LeReal(4), k == 2 ? 1.f : 10.f * k + 4);
    EXPECT_EQ(grades[k]->LeRealOuSemDado(6), -9999.0);
  }
  for (const char* nome :
       {"Header.hdr", "hidro_mapeada.hdr", "hidro_sem_esp.hdr", "dir_esc.hdr", "fluxo_ac.hdr"}) {
    const TCarga* c = Carga(s, QLatin1String(nome));
    ASSERT_NE(c, nullptr) << nome;
    EXPECT_TRUE(c->Ok) << nome;
  }
}

// Header missing: one message, the grids still load. A malformed third grid stops the unit: the
// first two stay loaded, the last two exist but are empty.
TEST(SistemaMatrizes, FalhasSaoRegistradasEOInicioSegue) {
  TPastaTemporaria pasta;
  Matrizes(pasta);
  QFile::remove(pasta.Arquivo(QStringLiteral("Dados/DadosSIG/Matrizes/Header.hdr")));
  pasta.Escreve(QStringLiteral("Dados/DadosSIG/Matrizes/dir_esc.hdr"), "ncols         tres\r\n");
  TApresentadorRoteirizado apresentador;
  TSistema s(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
  s.CriaFormPrincipal(apresentador);
  const QStringList erros = apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro);
  ASSERT_GE(erros.size(), 2);
  EXPECT_EQ(erros[0], ErroHeader);
  // The malformed file is named, with what is wrong, after the step's own message.
  EXPECT_EQ(erros[1], ErroMatrizes + QStringLiteral("\ndir_esc.hdr: falta a linha 2 (nrows) do "
                                                    "cabeçalho."));
  EXPECT_FALSE(s.MapasCarregados);
  EXPECT_FALSE(Carga(s, QStringLiteral("Header.hdr"))->Ok);
  EXPECT_TRUE(Carga(s, QStringLiteral("hidro_sem_esp.hdr"))->Ok);
  EXPECT_FALSE(Carga(s, QStringLiteral("dir_esc.hdr"))->Ok);
  EXPECT_EQ(Carga(s, QStringLiteral("fluxo_ac.hdr")), nullptr);
  EXPECT_EQ(s.ImgHidroSemEsp->LeReal(0), 10.f);
  ASSERT_NE(s.ImgFluxoAc, nullptr);
  EXPECT_EQ(s.ImgFluxoAc->NCols(), 0);
  EXPECT_EQ(s.ImgFluxoAc->LeReal(0), -9999.f);
}

// Cells the walks cannot take fail the load like a wrong header: the step's message, then the
// file and the first offending cell. The grids that passed are remembered by their files' size
// and time; a grid changed in place is read again.
TEST(SistemaMatrizes, CelulasConferidasUmaVezPorVersaoDosArquivos) {
  TPastaTemporaria pasta;
  Matrizes(pasta);
  const QString dir = QStringLiteral("Dados/DadosSIG/Matrizes/");
  const auto inicia = [&] {
    TApresentadorRoteirizado apresentador;
    TSistema s(TCaminhos(pasta.Caminho(), QStringLiteral("TORVEDA")));
    s.CriaFormPrincipal(apresentador);
    return std::pair{apresentador.Textos(TApresentadorRoteirizado::TTipo::Erro),
                     s.ImgDirEsc->NCols()};
  };
  EXPECT_TRUE(inicia().first.isEmpty());
  const QString memoria = pasta.Arquivo(dir + QStringLiteral("conferencia_grades.txt"));
  EXPECT_TRUE(Le(memoria).contains("dir_esc.hdr\t"));

  // A loop written over the remembered file with its size and time kept is not seen: that is
  // what spares the start-up from reading the grids.
  const QString flt = pasta.Arquivo(dir + QStringLiteral("dir_esc.flt"));
  const QDateTime hora = QFileInfo(flt).lastModified();
  Grava(flt, Singles({1, 16, 4, 1, 1, -9999.f}));
  {
    QFile f(flt);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(hora, QFileDevice::FileModificationTime));
  }
  EXPECT_TRUE(inicia().first.isEmpty());

  // Touched, it is read again and refused, and emptied like any grid that failed.
  {
    QFile f(flt);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(hora.addSecs(60), QFileDevice::FileModificationTime));
  }
  const auto [erros, colunas] = inicia();
  ASSERT_EQ(erros.size(), 1);
  EXPECT_EQ(erros[0],
            ErroMatrizes + QStringLiteral("\ndir_esc.hdr: as direções de fluxo formam um laço de 2 "
                                          "células a partir da célula da coluna 1, linha 1: a água "
                                          "que entra nele não chega ao exutório."));
  EXPECT_EQ(colunas, 0);
  EXPECT_FALSE(Le(memoria).contains("dir_esc.hdr\t"));

  // Negative accumulation and non-finite mapped drainage are named the same way.
  ParArcView(pasta.Arquivo(dir + QStringLiteral("dir_esc")), 3, 2, {1, 4, 4, 1, 1, -9999.f});
  ParArcView(pasta.Arquivo(dir + QStringLiteral("fluxo_ac")), 3, 2, {0, 1, 2, 3, -1, -9999.f});
  EXPECT_EQ(inicia().first.value(0),
            ErroMatrizes + QStringLiteral("\nfluxo_ac.hdr: a célula da coluna 2, linha 2 vale -1; "
                                          "a acumulação de fluxo deve ser um número finito e não "
                                          "negativo."));
  ParArcView(pasta.Arquivo(dir + QStringLiteral("hidro_mapeada")), 3, 2,
             {0, 1, std::numeric_limits<float>::quiet_NaN(), 3, 4, -9999.f});
  EXPECT_TRUE(inicia().first.value(0).contains(
      QStringLiteral("hidro_mapeada.hdr: a célula da coluna 3, linha 1 vale nan")));
}
