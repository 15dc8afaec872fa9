// The data module's creation sequence: what opens, what the user is shown, and what survives
// each failure.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "ArvoreDados.h"
#include "base/Erro.h"
#include "comum/ApresentadorRoteirizado.h"
#include "data/TdmS.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

QStringList Nomes(const TdmS& dm) {
  QStringList r;
  for (const auto& c : dm.Cargas())
    r << c.Nome + (c.Ok ? QStringLiteral(":ok") : QStringLiteral(":falha"));
  return r;
}

bool AqemAberta(const TdmS& dm) {
  return dm.tdbOutorgasAqemSuperficial.Ativa() && dm.tdbOutorgasAqemInsignificante.Ativa() &&
         dm.tdbOutorgasAqemSubterranea.Ativa();
}

bool AqemFechada(const TdmS& dm) {
  return !dm.tdbOutorgasAqemSuperficial.Ativa() && !dm.tdbOutorgasAqemInsignificante.Ativa() &&
         !dm.tdbOutorgasAqemSubterranea.Ativa() && !dm.conOutorgasAqem.Ativo();
}

}  // namespace

TEST(CriacaoDados, TudoPresenteAbreSemMensagens) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  EXPECT_TRUE(apresentador.Textos().isEmpty()) << apresentador.Textos().join(u'|').toStdString();
  EXPECT_TRUE(dm.BaseAberta());
  EXPECT_TRUE(dm.conTORVEDA().isOpen());
  EXPECT_TRUE(AqemAberta(dm));
  EXPECT_TRUE(dm.tdbOutorgasAna.Ativa());
  EXPECT_EQ(dm.tdbOutorgasAqemSubterranea.Arquivo(), arvore.Caminhos().OutorgasAqem());
  // The start-up reads headings only; an import reads the rows.
  EXPECT_EQ(dm.tdbOutorgasAqemInsignificante.NumLinhas(), 0);
  EXPECT_FALSE(dm.tdbOutorgasAna.Carregada());
  EXPECT_TRUE(dm.tdbOutorgasAna.TemColuna(QStringLiteral("Qc01 (m³/h)")));
  dm.LeOutorgasAqem(dm.ArquivoOutorgasAqem());
  dm.LeOutorgasAna(dm.ArquivoOutorgasAna());
  EXPECT_EQ(dm.tdbOutorgasAqemInsignificante.NumLinhas(), 2);
  EXPECT_EQ(dm.tdbOutorgasAna.NumLinhas(), 2);
  dm.LiberaOutorgasAqem();
  EXPECT_EQ(dm.tdbOutorgasAqemInsignificante.NumLinhas(), 0);
  EXPECT_EQ(Nomes(dm), (QStringList{"TORVEDA.sqlite:ok", "TORVEDA_Outorgas_AQEM.xls:ok",
                                    "TORVEDA_Outorgas_ANA.xls:ok"}));
}

// A missing database is shown once and never created empty; nothing else opens, and every use
// of a query says why.
TEST(CriacaoDados, BaseAusente) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CopiaPlanilha(QStringLiteral("aqem.xls"), arvore.Caminhos().OutorgasAqem());
  arvore.CopiaPlanilha(QStringLiteral("ana.xls"), arvore.Caminhos().OutorgasAna());
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);

  const QStringList erros = apresentador.Textos(TTipo::Erro);
  ASSERT_EQ(erros.size(), 1);
  EXPECT_EQ(apresentador.Textos().size(), 1);
  EXPECT_TRUE(erros[0].contains(arvore.Caminhos().BaseDados())) << erros[0].toStdString();
  EXPECT_FALSE(QFileInfo::exists(arvore.Caminhos().BaseDados()));
  EXPECT_FALSE(dm.BaseAberta());
  EXPECT_FALSE(dm.conTORVEDA().isOpen());
  EXPECT_TRUE(AqemFechada(dm));
  EXPECT_FALSE(dm.tdbOutorgasAna.Ativa());
  EXPECT_EQ(Nomes(dm), (QStringList{"TORVEDA.sqlite:falha", "TORVEDA_Outorgas_AQEM.xls:falha",
                                    "TORVEDA_Outorgas_ANA.xls:falha"}));

  for (const auto& abre : std::initializer_list<std::function<void()>>{
           [&] { dm.AbreEqTradicional(1); }, [&] { dm.AbreRios(1); },
           [&] { dm.AbreEqConservacao(1); }, [&] { dm.AbreEstFluviometricas(1); },
           [&] { dm.NovaConsulta(QStringLiteral("Rios")).Abre(); }}) {
    try {
      abre();
      ADD_FAILURE() << "a consulta abriu sem banco de dados";
    } catch (const ETorveda& e) {
      EXPECT_TRUE(e.mensagem().contains(arvore.Caminhos().BaseDados()))
          << e.mensagem().toStdString();
    }
  }
  // Nor is the file created by a later attempt.
  EXPECT_FALSE(QFileInfo::exists(arvore.Caminhos().BaseDados()));
}

TEST(CriacaoDados, ArquivoQueNaoEBancoDeDados) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  const QByteArray conteudo("isto não é um banco de dados, mas um texto qualquer bem comprido....");
  {
    QFile f(arvore.Caminhos().BaseDados());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
  }
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  EXPECT_EQ(apresentador.Textos(TTipo::Erro).size(), 1);
  EXPECT_FALSE(dm.BaseAberta());
  EXPECT_THROW(dm.AbreRios(1), ETorveda);
  QFile f(arvore.Caminhos().BaseDados());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), conteudo);  // left untouched
}

// Without the certificates sheet the state workbook is closed with its notice, and the federal
// one still opens.
TEST(CriacaoDados, FolhaEstadualAusente) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  arvore.CopiaPlanilha(QStringLiteral("aqem_sem_certidoes.xls"), arvore.Caminhos().OutorgasAqem());
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);

  EXPECT_EQ(apresentador.Textos(TTipo::Mensagem), QStringList{TdmS::ErroAqem});
  EXPECT_EQ(apresentador.Textos().size(), 1);
  EXPECT_EQ(TdmS::ErroAqem, QStringLiteral("Erro ao abrir o arquivo de outorgas - AQEM."));
  EXPECT_TRUE(AqemFechada(dm));
  EXPECT_TRUE(dm.conOutorgasAqem.Arquivo().isEmpty());
  EXPECT_TRUE(dm.tdbOutorgasAna.Ativa());
  EXPECT_FALSE(dm.conOutorgasAna.Arquivo().isEmpty());
  ASSERT_EQ(dm.Cargas().size(), 3u);
  EXPECT_FALSE(dm.Cargas()[1].Ok);
  EXPECT_TRUE(dm.Cargas()[1].Mensagem.contains(QStringLiteral("Certidões de Uso Insignificante")));
  EXPECT_TRUE(dm.Cargas()[2].Ok);
  EXPECT_THROW(dm.tdbOutorgasAqemSuperficial.Texto(QStringLiteral("Requerente")), ETorveda);
}

TEST(CriacaoDados, FolhaFederalAusente) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  arvore.CopiaPlanilha(QStringLiteral("ana_folha_errada.xls"), arvore.Caminhos().OutorgasAna());
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  EXPECT_EQ(apresentador.Textos(), QStringList{TdmS::ErroAna});
  EXPECT_EQ(apresentador.Registros().front().Tipo, TTipo::Mensagem);
  EXPECT_EQ(TdmS::ErroAna, QStringLiteral("Erro ao abrir o arquivo de outorgas - ANA."));
  EXPECT_TRUE(AqemAberta(dm));
  EXPECT_FALSE(dm.tdbOutorgasAna.Ativa());
  EXPECT_FALSE(dm.conOutorgasAna.Ativo());
  EXPECT_TRUE(dm.conOutorgasAna.Arquivo().isEmpty());
}

// A workbook that cannot be opened at all stops the creation there, as the database does.
TEST(CriacaoDados, LivroEstadualAusente) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  QFile::remove(arvore.Caminhos().OutorgasAqem());
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  const QStringList erros = apresentador.Textos(TTipo::Erro);
  ASSERT_EQ(apresentador.Textos().size(), 1);
  ASSERT_EQ(erros.size(), 1);
  EXPECT_TRUE(erros[0].contains(arvore.Caminhos().OutorgasAqem())) << erros[0].toStdString();
  EXPECT_TRUE(dm.BaseAberta());
  EXPECT_TRUE(AqemFechada(dm));
  EXPECT_FALSE(dm.tdbOutorgasAna.Ativa());
  EXPECT_EQ(Nomes(dm), (QStringList{"TORVEDA.sqlite:ok", "TORVEDA_Outorgas_AQEM.xls:falha",
                                    "TORVEDA_Outorgas_ANA.xls:falha"}));
}

TEST(CriacaoDados, LivrosXlsx) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaBase();
  arvore.CopiaPlanilha(QStringLiteral("aqem.xlsx"), arvore.Caminhos().OutorgasAqem() + "x");
  arvore.CopiaPlanilha(QStringLiteral("ana.xlsx"), arvore.Caminhos().OutorgasAna() + "x");
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  EXPECT_TRUE(apresentador.Textos().isEmpty()) << apresentador.Textos().join(u'|').toStdString();
  EXPECT_TRUE(AqemAberta(dm));
  EXPECT_EQ(dm.tdbOutorgasAna.Arquivo(), arvore.Caminhos().OutorgasAna() + "x");
  EXPECT_EQ(Nomes(dm), (QStringList{"TORVEDA.sqlite:ok", "TORVEDA_Outorgas_AQEM.xlsx:ok",
                                    "TORVEDA_Outorgas_ANA.xlsx:ok"}));
}

// A renamed executable looks for its own files and ignores the others.
TEST(CriacaoDados, NomeDoExecutavel) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados original;
  original.CriaCompleta();
  const QString nomeBase = TCaminhos::NomeBaseDe(QStringLiteral("/opt/bacia/Paracatu2.exe"));
  ASSERT_EQ(nomeBase, QStringLiteral("Paracatu2"));
  const TCaminhos renomeado(original.Pasta(), nomeBase);

  TdmS semArquivos(renomeado);
  semArquivos.Cria(apresentador);
  EXPECT_FALSE(semArquivos.BaseAberta());
  EXPECT_FALSE(QFileInfo::exists(renomeado.BaseDados()));

  QFile::copy(original.Caminhos().BaseDados(), renomeado.BaseDados());
  QFile::copy(original.Caminhos().OutorgasAqem(), renomeado.OutorgasAqem());
  QFile::copy(original.Caminhos().OutorgasAna(), renomeado.OutorgasAna());
  QFile::remove(original.Caminhos().BaseDados());
  apresentador.Limpa();
  TdmS dm(renomeado);
  dm.Cria(apresentador);
  EXPECT_TRUE(apresentador.Textos().isEmpty());
  EXPECT_EQ(dm.ArquivoBase(), original.Pasta() + "/Dados/DadosBD/Paracatu2.sqlite");
  EXPECT_EQ(Nomes(dm), (QStringList{"Paracatu2.sqlite:ok", "Paracatu2_Outorgas_AQEM.xls:ok",
                                    "Paracatu2_Outorgas_ANA.xls:ok"}));
}

// Modules side by side have connections of their own; closing one leaves the other working.
TEST(CriacaoDados, ModulosIndependentes) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaBase({"INSERT INTO Rios VALUES (1, 'Rio Escuro')"});
  auto a = std::make_unique<TdmS>(arvore.Caminhos());
  TdmS b(arvore.Caminhos());
  EXPECT_NE(a->NomeConexao(), b.NomeConexao());
  EXPECT_TRUE(a->NomeConexao().startsWith(TdmS::NomeBaseConexao));
  a->Cria(apresentador);
  b.Cria(apresentador);
  a.reset();
  EXPECT_EQ(b.AbreRios(1).Texto(QStringLiteral("Nome")), QStringLiteral("Rio Escuro"));
  // Created again, the module reopens everything from the start.
  b.Cria(apresentador);
  EXPECT_EQ(b.AbreRios(1).NumRegistros(), 1);
}

// A state workbook whose groundwater sheet lacks a heading the import reads: the Part's message
// at start-up, the heading named in the load's record, and the federal workbook still opens.
// The same file read for an import is refused naming the heading.
TEST(CriacaoDados, TituloEstadualAusente) {
  for (const char* formato : {"xls", "xlsx"}) {
    TApresentadorRoteirizado apresentador;
    TArvoreDados arvore;
    arvore.CriaBase();
    const QString arquivo =
        arvore.Caminhos().OutorgasAqem() + (QLatin1String(formato) == "xlsx" ? "x" : "");
    arvore.CopiaPlanilha(QStringLiteral("aqem_sem_titulo.") + QLatin1String(formato), arquivo);
    arvore.CopiaPlanilha(QStringLiteral("ana.xls"), arvore.Caminhos().OutorgasAna());
    TdmS dm(arvore.Caminhos());
    dm.Cria(apresentador);
    EXPECT_EQ(apresentador.Textos(TTipo::Mensagem), QStringList{TdmS::ErroAqem}) << formato;
    EXPECT_TRUE(AqemFechada(dm)) << formato;
    ASSERT_EQ(dm.Cargas().size(), 3u);
    EXPECT_FALSE(dm.Cargas()[1].Ok);
    EXPECT_TRUE(dm.Cargas()[1].Mensagem.contains(
        QStringLiteral("\"Outorgas Água Subterrânea\" do arquivo %1 não tem a coluna "
                       "\"Vazão (m³/h)\"")
            .arg(arquivo)))
        << dm.Cargas()[1].Mensagem.toStdString();
    EXPECT_TRUE(dm.Cargas()[2].Ok);
    const QString erro = [&] {
      try {
        dm.LeOutorgasAqem(arquivo);
      } catch (const ETorveda& e) {
        return e.mensagem();
      }
      return QString();
    }();
    EXPECT_TRUE(erro.contains(QStringLiteral("\"Vazão (m³/h)\""))) << erro.toStdString();
    EXPECT_EQ(dm.tdbOutorgasAqemSuperficial.NumLinhas(), 0);
  }
}

// The rows are read from the file as it is when an import asks, not as it was at start-up.
TEST(CriacaoDados, LeOArquivoDeAgora) {
  TApresentadorRoteirizado apresentador;
  TArvoreDados arvore;
  arvore.CriaCompleta();
  TdmS dm(arvore.Caminhos());
  dm.Cria(apresentador);
  arvore.CopiaPlanilha(QStringLiteral("ana_vazia.xls"), arvore.Caminhos().OutorgasAna());
  dm.LeOutorgasAna(dm.ArquivoOutorgasAna());
  EXPECT_TRUE(dm.tdbOutorgasAna.Carregada());
  EXPECT_EQ(dm.tdbOutorgasAna.NumLinhas(), 0);
  QFile::remove(arvore.Caminhos().OutorgasAna());
  arvore.CopiaPlanilha(QStringLiteral("ana.xlsx"), arvore.Caminhos().OutorgasAna() + "x");
  EXPECT_EQ(dm.ArquivoOutorgasAna(), arvore.Caminhos().OutorgasAna() + "x");
  dm.LeOutorgasAna(dm.ArquivoOutorgasAna());
  EXPECT_EQ(dm.tdbOutorgasAna.NumLinhas(), 2);
  EXPECT_EQ(dm.tdbOutorgasAna.Arquivo(), arvore.Caminhos().OutorgasAna() + "x");
}
