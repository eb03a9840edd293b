#include <QLabel>
#include <QStyle>
#include <QtTest>
#include <algorithm>

#include "batch_confirm_overwrite.h"
#include "batch_overwrite_dialog.h"
#include "batch_test_support.h"

namespace {

struct Memories {
  bool yesToAll = false;
  bool noToAll = false;
  bool cancel = true;  // every decision starts by clearing it
};

bool Decide(const QString& target, Memories& memories) {
  return ConfirmOverwrite(nullptr, target, memories.yesToAll, memories.noToAll, memories.cancel);
}

}  // namespace

class BatchConfirmOverwriteTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir FDir;
  QString FExisting;

 private slots:
  void init() {
    FExisting = FDir.filePath(QStringLiteral("people_fixed.dbf"));
    WriteBytes(FExisting, "old");
  }

  void DialogOffersFiveAnswersInOrderWithYesAsDefault() {
    TConfirmOverwriteDialog dialog(QStringLiteral("people_fixed.dbf"));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Confirm"));
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Message"))->text(),
             QStringLiteral("A file named 'people_fixed.dbf' already exists. Overwrite it?"));
    QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList captions;
    for (QPushButton* button : buttons) captions << button->text();
    QCOMPARE(captions, QStringList({QStringLiteral("&Yes"), QStringLiteral("&No"),
                                    QStringLiteral("Cancel"), QStringLiteral("N&o to All"),
                                    QStringLiteral("Yes to &All")}));
    QVERIFY(dialog.Button(OverwriteAnswer::Yes)->isDefault());
    const QImage question = dialog.style()
                                ->standardIcon(QStyle::SP_MessageBoxQuestion)
                                .pixmap(32, 32)
                                .toImage();
    QVERIFY(!question.isNull());
    bool showsQuestionIcon = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
      showsQuestionIcon |= label->pixmap().toImage() == question;
    QVERIFY(showsQuestionIcon);
  }

  void EscapeAndClosingAnswerCancelEnterAnswersYes() {
    TConfirmOverwriteDialog dialog(QStringLiteral("a.dbf"));
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.Ask(), OverwriteAnswer::Cancel);
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    QCOMPARE(dialog.Ask(), OverwriteAnswer::Cancel);
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
    QCOMPARE(dialog.Ask(), OverwriteAnswer::Yes);
  }

  void AsksNothingWhenTheTargetIsMissingOrAMemoryDecides() {
    OverwriteAnswerer answerer({OverwriteAnswer::Cancel});
    Memories memories;
    QVERIFY(Decide(FDir.filePath(QStringLiteral("missing_fixed.dbf")), memories));
    QVERIFY(!memories.cancel);
    QVERIFY(Decide(FDir.path(), memories));  // a folder is no file to overwrite

    memories.noToAll = true;
    memories.yesToAll = true;  // No to All was given first if both are set
    memories.cancel = true;
    QVERIFY(!Decide(FExisting, memories));
    QVERIFY(!memories.cancel);
    memories.noToAll = false;
    QVERIFY(Decide(FExisting, memories));
    QVERIFY(answerer.questions.isEmpty());
  }
};

QTEST_MAIN(BatchConfirmOverwriteTest)
#include "batch_confirm_overwrite_test.moc"
