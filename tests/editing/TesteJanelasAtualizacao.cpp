// The three editing windows driven as the analyst would: typing into the edit boxes and the
// grid, the navigator and "Atualizar", with the database read back directly.

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "BaseTeste.h"
#include "comum/ApresentadorRoteirizado.h"
#include "data/TdmS.h"
#include "editing/TfrmAtualizaEqCons.h"
#include "editing/TfrmAtualizaEqTrad.h"
#include "editing/TfrmAtualizaVazao.h"
#include "hydro/TMalha.h"
#include "hydro/TPonto.h"
#include "hydro/TRede.h"
#include "hydro/TTabelaArcos.h"
#include "raster/TImagem.h"

namespace {

using TTipo = TApresentadorRoteirizado::TTipo;

// Replaces the text of an edit box by typing, as the analyst would.
void Digita(QLineEdit* edit, const QString& texto) {
  QVERIFY(edit);
  edit->setFocus();
  edit->selectAll();
  if (texto.isEmpty())
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClicks(edit, texto);
}

double Q90Ob(const TBaseTeste& base, int codigo) {
  return base
      .Le(QStringLiteral("SELECT Q90Ob FROM EstFluviometricas WHERE CodEstFlu = %1").arg(codigo))
      .toDouble();
}

// A 1 x 1 grid holding no data: the proportional method below walks only the arc table.
void GradeVazia(TImagem& g) {
  g.DefineTipo(QChar('R'));
  g.DefineDimensoes(1, 1);
  g.DefineExtensao(0, 50, 0, 50);
  g.DefineSemDados(-9999);
  g.GravaReal(0, -9999.0f);
}

}  // namespace

class TesteJanelasAtualizacao : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }

  void init() {
    apresentador = std::make_unique<TApresentadorRoteirizado>();
    base = std::make_unique<TBaseTeste>(*apresentador);
    // The register workbooks are absent: the data module's notices are not this test's concern.
    apresentador->Limpa();
  }

  void cleanup() {
    base.reset();
    apresentador.reset();
  }

  void abreComTodasAsLinhasEColunas() {
    TfrmAtualizaVazao vazao(base->Contexto());
    QVERIFY(vazao.Aberta());
    QCOMPARE(vazao.objectName(), QStringLiteral("frmAtualizaVazao"));
    QCOMPARE(vazao.Consulta()->objectName(), QStringLiteral("ADOQuery1"));
    QCOMPARE(vazao.NumLinhas(), 3);
    QCOMPARE(vazao.Grade()->model()->columnCount(), 13);
    QCOMPARE(vazao.Linha(), 0);
    QCOMPARE(vazao.Campo(QStringLiteral("CodEstFlu"))->text(), QStringLiteral("100"));
    QCOMPARE(vazao.Campo(QStringLiteral("Ad"))->text(), QStringLiteral("200"));
    QCOMPARE(vazao.Campo(QStringLiteral("Q95Ob"))->text(), QStringLiteral("8,25"));
    QVERIFY(
        vazao.Rotulo(QStringLiteral("Q710Ob"))->text().contains(QStringLiteral("<sub>7,10</sub>")));
    QVERIFY(vazao.Rotulo(QStringLiteral("Ad"))->text().contains(QStringLiteral("km<sup>2</sup>")));
    // The grid shows the columns without an edit box too, in the regional format.
    const QStringList cabecalhos = [&] {
      QStringList r;
      for (int c = 0; c < vazao.Grade()->model()->columnCount(); ++c)
        r << vazao.Grade()->model()->headerData(c, Qt::Horizontal).toString();
      return r;
    }();
    QVERIFY(cabecalhos.contains(QStringLiteral("PosicaoMDE")));
    QVERIFY(cabecalhos.contains(QStringLiteral("QmldNat")));
    QVERIFY(!vazao.btnPrimeiro->isEnabled());
    QVERIFY(vazao.btnUltimo->isEnabled());

    TfrmAtualizaEqTrad trad(base->Contexto());
    QCOMPARE(trad.NumLinhas(), 2);
    QCOMPARE(trad.Grade()->model()->columnCount(), 11);
    QVERIFY(trad.Consulta()->fieldIndex(QStringLiteral("codEQQuintaro")) >= 0);
    QCOMPARE(trad.Campo(QStringLiteral("Modelo"))->text(), QStringLiteral("Pot"));
    QCOMPARE(trad.Campo(QStringLiteral("B0"))->text(), QStringLiteral("0,02"));
    QVERIFY(trad.Rotulo(QStringLiteral("BAd"))->text().contains(QStringLiteral("<sub>Ad</sub>")));

    TfrmAtualizaEqCons cons(base->Contexto());
    QCOMPARE(cons.Consulta()->objectName(), QStringLiteral("adoqryAtualizaEqCons"));
    QCOMPARE(cons.NumLinhas(), 2);
    QVERIFY(cons.Consulta()->fieldIndex(QStringLiteral("codEQPelmar")) >= 0);
    QCOMPARE(cons.Campo(QStringLiteral("codRio"))->text(), QStringLiteral("7"));
    QVERIFY(apresentador->Registros().isEmpty());
  }

  void atualizarGravaENovaJanelaMostra() {
    auto frm = std::make_unique<TfrmAtualizaVazao>(base->Contexto());
    frm->show();
    QVERIFY(!frm->Editando());
    Digita(frm->Campo(QStringLiteral("Q90Ob")), QStringLiteral("12,5"));
    QVERIFY(frm->Editando());
    QCOMPARE(frm->Grade()->model()->data(frm->Grade()->model()->index(0, 6)).toDouble(), 10.0);
    QTest::mouseClick(frm->btnAtualizar, Qt::LeftButton);
    QVERIFY(!frm->Editando());
    QCOMPARE(Q90Ob(*base, 100), 12.5);
    QCOMPARE(Q90Ob(*base, 200), 40.0);
    QCOMPARE(frm->Linha(), 0);
    frm.reset();

    TfrmAtualizaVazao nova(base->Contexto());
    QCOMPARE(nova.Campo(QStringLiteral("Q90Ob"))->text(), QStringLiteral("12,5"));
    QVERIFY(apresentador->Registros().isEmpty());
  }

  void atualizarSemMudancaNaoGrava() {
    base->RegistraAtualizacoes();
    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    // Focus passing through the boxes without typing changes nothing either.
    frm.Campo(QStringLiteral("Q95Ob"))->setFocus();
    frm.Campo(QStringLiteral("Q90Ob"))->setFocus();
    QTest::mouseClick(frm.btnProximo, Qt::LeftButton);
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 1);
    // Typing the same value back is no change to write.
    Digita(frm.Campo(QStringLiteral("Q95Ob")), QStringLiteral("33,0"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(base->NumAtualizacoes(), 0);
    QVERIFY(!frm.Editando());
    QCOMPARE(frm.Campo(QStringLiteral("Q95Ob"))->text(), QStringLiteral("33"));
  }

  void mudancaSeguidaDeProximoGrava() {
    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    Digita(frm.Campo(QStringLiteral("Q95Ob")), QStringLiteral("9,75"));
    Digita(frm.Campo(QStringLiteral("Ad")), QStringLiteral("210"));
    QTest::mouseClick(frm.btnProximo, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 1);
    QVERIFY(!frm.Editando());
    QCOMPARE(base->Le(QStringLiteral("SELECT Q95Ob FROM EstFluviometricas WHERE CodEstFlu = 100"))
                 .toDouble(),
             9.75);
    QCOMPARE(base->Le(QStringLiteral("SELECT Ad FROM EstFluviometricas WHERE CodEstFlu = 100")),
             QVariant(qlonglong{210}));
    QCOMPARE(frm.Campo(QStringLiteral("CodEstFlu"))->text(), QStringLiteral("200"));

    // The same through the grid: clicking another row writes first.
    Digita(frm.Campo(QStringLiteral("Q710Ob")), QStringLiteral("4,5"));
    frm.Grade()->setCurrentIndex(frm.Grade()->model()->index(2, 0));
    QCOMPARE(frm.Linha(), 2);
    QCOMPARE(base->Le(QStringLiteral("SELECT Q710Ob FROM EstFluviometricas WHERE CodEstFlu = 200"))
                 .toDouble(),
             4.5);
    QTest::mouseClick(frm.btnPrimeiro, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 0);
    QVERIFY(!frm.btnAnterior->isEnabled());
  }

  void textoEmColunaNumericaRecusadoSemPerda() {
    base->RegistraAtualizacoes();
    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    Digita(frm.Campo(QStringLiteral("Q90Ob")), QStringLiteral("abc"));
    Digita(frm.Campo(QStringLiteral("Q95Ob")), QStringLiteral("7,5"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    const QString erro = apresentador->Textos(TTipo::Erro).first();
    // Named by the caption the analyst reads, not by the column.
    QVERIFY2(
        erro.contains(QStringLiteral("'abc'")) && erro.contains(QStringLiteral("Q90 (m³ s⁻¹)")),
        qPrintable(erro));
    QVERIFY(frm.Editando());
    QCOMPARE(frm.Campo(QStringLiteral("Q90Ob"))->text(), QStringLiteral("abc"));
    QCOMPARE(frm.Campo(QStringLiteral("Q95Ob"))->text(), QStringLiteral("7,5"));
    QCOMPARE(base->NumAtualizacoes(), 0);

    // Nor does the row let go: the move is refused with the same message.
    QTest::mouseClick(frm.btnProximo, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 0);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 2);
    frm.Grade()->setCurrentIndex(frm.Grade()->model()->index(2, 0));
    QCOMPARE(frm.Linha(), 0);

    // An integer column takes no fraction, by either separator.
    Digita(frm.Campo(QStringLiteral("Q90Ob")), QStringLiteral("11"));
    Digita(frm.Campo(QStringLiteral("Ad")), QStringLiteral("200.5"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(apresentador->Textos(TTipo::Erro).last().contains(QStringLiteral("inteiro")));
    QVERIFY(apresentador->Textos(TTipo::Erro).last().contains(QStringLiteral("Área (km²)")));
    QCOMPARE(base->NumAtualizacoes(), 0);

    Digita(frm.Campo(QStringLiteral("Ad")), QStringLiteral("201"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(!frm.Editando());
    QCOMPARE(Q90Ob(*base, 100), 11.0);
    QCOMPARE(base->Le(QStringLiteral("SELECT Q95Ob FROM EstFluviometricas WHERE CodEstFlu = 100"))
                 .toDouble(),
             7.5);
    QCOMPARE(base->NumAtualizacoes(), 1);
  }

  void gravacaoRecusadaPelaBaseFicaEmEdicao() {
    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    // Another station's code: the database's key refuses it.
    Digita(frm.Campo(QStringLiteral("CodEstFlu")), QStringLiteral("200"));
    Digita(frm.Campo(QStringLiteral("Q90Ob")), QStringLiteral("13"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY2(apresentador->Textos(TTipo::Erro).first().contains(QStringLiteral("UNIQUE")),
             qPrintable(apresentador->Textos(TTipo::Erro).first()));
    QVERIFY(frm.Editando());
    QCOMPARE(frm.Campo(QStringLiteral("CodEstFlu"))->text(), QStringLiteral("200"));
    QCOMPARE(frm.Campo(QStringLiteral("Q90Ob"))->text(), QStringLiteral("13"));
    QCOMPARE(Q90Ob(*base, 100), 10.0);
    QTest::mouseClick(frm.btnUltimo, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 0);

    // An emptied key is refused before the database sees it.
    Digita(frm.Campo(QStringLiteral("CodEstFlu")), QString());
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(apresentador->Textos(TTipo::Erro).last().contains(QStringLiteral("Código estação")));

    // Escape on the grid drops the row's changes; then the row can be left.
    QTest::keyClick(frm.Grade(), Qt::Key_Escape);
    QVERIFY(!frm.Editando());
    QCOMPARE(frm.Campo(QStringLiteral("CodEstFlu"))->text(), QStringLiteral("100"));
    QCOMPARE(frm.Campo(QStringLiteral("Q90Ob"))->text(), QStringLiteral("10"));
    QTest::mouseClick(frm.btnUltimo, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 2);
    QCOMPARE(Q90Ob(*base, 100), 10.0);

    // A key that does not collide is a change like any other.
    QTest::mouseClick(frm.btnPrimeiro, Qt::LeftButton);
    Digita(frm.Campo(QStringLiteral("CodEstFlu")), QStringLiteral("150"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(!frm.Editando());
    QCOMPARE(
        base->Le(QStringLiteral("SELECT count(*) FROM EstFluviometricas WHERE CodEstFlu = 150"))
            .toInt(),
        1);
    QCOMPARE(frm.Campo(QStringLiteral("CodEstFlu"))->text(), QStringLiteral("150"));
  }

  void textoLongoDemaisRecusado() {
    TfrmAtualizaEqTrad frm(base->Contexto());
    frm.show();
    Digita(frm.Campo(QStringLiteral("Modelo")), QStringLiteral("Linear"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    const QString erro = apresentador->Textos(TTipo::Erro).value(0);
    QVERIFY2(erro.contains(QStringLiteral("Modelo")) && erro.contains(QStringLiteral("Lin")),
             qPrintable(erro));
    QCOMPARE(base->Le(QStringLiteral("SELECT Modelo FROM EQ_Tradicional WHERE codEQQuintaro = 1")),
             QVariant(QStringLiteral("Pot")));
    Digita(frm.Campo(QStringLiteral("Modelo")), QStringLiteral("Lin"));
    Digita(frm.Campo(QStringLiteral("VarMinima")), QStringLiteral("QmldOb"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(base->Le(QStringLiteral("SELECT Modelo || VarMinima FROM EQ_Tradicional WHERE "
                                     "codEQQuintaro = 1")),
             QVariant(QStringLiteral("LinQmldOb")));
  }

  void numerosComoSeEscrevem() {
    // A coefficient stored as 0.00385 shows as people write it, and reads back the same.
    QVERIFY(base->Executa(QStringLiteral(
        "UPDATE EQ_Tradicional SET B0 = 0.00385, BAd = 1e-7 WHERE codEQQuintaro = 1")));
    TfrmAtualizaEqTrad frm(base->Contexto());
    frm.show();
    QCOMPARE(frm.Campo(QStringLiteral("B0"))->text(), QStringLiteral("0,00385"));
    const QModelIndex b0 =
        frm.Consulta()->index(0, frm.Consulta()->fieldIndex(QStringLiteral("B0")));
    QCOMPARE(b0.data(Qt::DisplayRole).toDouble(), 0.00385);
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(apresentador->Textos().isEmpty());

    // A point or a comma: both are the decimal separator.
    Digita(frm.Campo(QStringLiteral("B0")), QStringLiteral("0.0125"));
    Digita(frm.Campo(QStringLiteral("BAd")), QStringLiteral("1,75"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(apresentador->Textos().isEmpty());
    QCOMPARE(base->Le(QStringLiteral("SELECT B0 FROM EQ_Tradicional WHERE codEQQuintaro = 1")),
             QVariant(0.0125));
    QCOMPARE(base->Le(QStringLiteral("SELECT BAd FROM EQ_Tradicional WHERE codEQQuintaro = 1")),
             QVariant(1.75));
    QCOMPARE(frm.Campo(QStringLiteral("B0"))->text(), QStringLiteral("0,0125"));
  }

  void modeloDesconhecidoRecusado() {
    TfrmAtualizaEqCons frm(base->Contexto());
    frm.show();
    for (const QString& modelo : {QStringLiteral("Xyz"), QStringLiteral("lin"), QString()}) {
      apresentador->Limpa();
      Digita(frm.Campo(QStringLiteral("Modelo")), modelo);
      QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
      const QString erro = apresentador->Textos(TTipo::Erro).value(0);
      QVERIFY2(erro.contains(QStringLiteral("campo Modelo")) &&
                   erro.contains(QStringLiteral("Lin, Pot, Exp, Log ou Rec")),
               qPrintable(erro));
      QVERIFY(frm.Editando());
      QCOMPARE(base->Le(QStringLiteral("SELECT Modelo FROM EQ_Conservacao WHERE codEQPelmar = 1")),
               QVariant(QStringLiteral("Pot")));
    }
    apresentador->Limpa();
    Digita(frm.Campo(QStringLiteral("Modelo")), QStringLiteral("Rec"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY(apresentador->Textos().isEmpty());
    QCOMPARE(base->Le(QStringLiteral("SELECT Modelo FROM EQ_Conservacao WHERE codEQPelmar = 1")),
             QVariant(QStringLiteral("Rec")));
  }

  void areaRealAceitaDecimais() {
    // A database whose drainage area is kept as a real number (as an older database may).
    QVERIFY(base->Executa(QStringLiteral("ALTER TABLE EstFluviometricas RENAME TO Antiga")));
    QVERIFY(base->Executa(QStringLiteral(
        "CREATE TABLE EstFluviometricas (CodEstFlu INTEGER PRIMARY KEY, PosicaoMDE INTEGER, "
        "Ad DOUBLE, Latitude DOUBLE, Longitude DOUBLE, Q710Ob DOUBLE, Q90Ob DOUBLE, Q95Ob DOUBLE, "
        "QmldOb DOUBLE, Q710Nat DOUBLE, Q90Nat DOUBLE, Q95Nat DOUBLE, QmldNat DOUBLE)")));
    QVERIFY(base->Executa(QStringLiteral("INSERT INTO EstFluviometricas SELECT * FROM Antiga")));
    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    Digita(frm.Campo(QStringLiteral("Ad")), QStringLiteral("200,5"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QVERIFY2(apresentador->Textos().isEmpty(), qPrintable(apresentador->Textos().join('\n')));
    QCOMPARE(base->Le(QStringLiteral("SELECT Ad FROM EstFluviometricas WHERE CodEstFlu = 100")),
             QVariant(200.5));
    QCOMPARE(frm.Campo(QStringLiteral("Ad"))->text(), QStringLiteral("200,5"));
  }

  void edicaoNaGrade() {
    TfrmAtualizaEqCons frm(base->Contexto());
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QTableView* grade = frm.Grade();
    const int colunaB0 = frm.Consulta()->fieldIndex(QStringLiteral("B0"));
    const QModelIndex celula = grade->model()->index(0, colunaB0);
    grade->setCurrentIndex(celula);
    grade->edit(celula);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("0,03"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("0,035"));
    QVERIFY(frm.Editando());
    // The cell still being typed is written by the move to the next row.
    QTest::mouseClick(frm.btnProximo, Qt::LeftButton);
    QCOMPARE(frm.Linha(), 1);
    QCOMPARE(
        base->Le(QStringLiteral("SELECT B0 FROM EQ_Conservacao WHERE codEQPelmar = 1")).toDouble(),
        0.035);
    QCOMPARE(grade->model()->data(grade->model()->index(0, colunaB0)).toDouble(), 0.035);
  }

  void semBaseDeDados() {
    TRodapeTeste rodape;
    TSistema sistema(TCaminhos(QStringLiteral("/nao/existe"), QStringLiteral("TORVEDA")));
    TContextoJanela contexto{sistema, rodape, *apresentador};
    TfrmAtualizaEqTrad frm(contexto);
    QVERIFY(!frm.Aberta());
    QCOMPARE(apresentador->Textos(TTipo::Erro).size(), 1);
    QVERIFY(!frm.btnAtualizar->isEnabled());
    frm.btnAtualizarClick();
    frm.Proximo();
    QCOMPARE(frm.Linha(), -1);
  }

  // The computations read the database every time: an edited station flow is what the next
  // section computed uses.
  void vazaoEditadaMudaOProporcional() {
    TImagem mapeada, semEsp, dirEsc, fluxoAc;
    for (TImagem* g : {&mapeada, &semEsp, &dirEsc, &fluxoAc}) GradeVazia(*g);
    // Station 100 on arc 1, above the section's arc 2, which reaches the outlet.
    TArco a1;
    a1.Ho = 1;
    a1.Fnode = 1;
    a1.Tnode = 2;
    a1.EstFlu = QStringLiteral("100");
    TArco a2;
    a2.Ho = 2;
    a2.Fnode = 2;
    a2.Tnode = 706;
    const TTabelaArcos arcos({a1, a2});
    const TRede rede(TMalha(1, 1, 0, 0, 50), mapeada, semEsp, dirEsc, fluxoAc, arcos);

    auto calcula = [&] {
      TPonto& p = *base->Sistema().Ponto;
      p.Reinicia();
      p.SetCodTrecho(2);
      p.SetAreaDrenagem(100.0);
      p.CalculaProporcional(*base->Sistema().dmS, rede, *apresentador);
      return p.VazoesProporcional().Q90();
    };
    QCOMPARE(calcula(), 5.0);  // 10 x 100 / 200

    TfrmAtualizaVazao frm(base->Contexto());
    frm.show();
    Digita(frm.Campo(QStringLiteral("Q90Ob")), QStringLiteral("30"));
    QTest::mouseClick(frm.btnAtualizar, Qt::LeftButton);
    QCOMPARE(calcula(), 15.0);
    QVERIFY(apresentador->Textos(TTipo::Erro).isEmpty());
  }

 private:
  std::unique_ptr<TApresentadorRoteirizado> apresentador;
  std::unique_ptr<TBaseTeste> base;
};

QTEST_MAIN(TesteJanelasAtualizacao)
#include "TesteJanelasAtualizacao.moc"
