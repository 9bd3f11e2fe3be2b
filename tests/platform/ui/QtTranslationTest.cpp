// Qt's own windows speak Chinese, as the operator sees them: the test program loads Qt's
// translation the way start-up does.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeView>

#include "platform/ui/QtTranslation.h"
#include "platform/ui/SaveFileDialog.h"
#include "tests/support/TestSupport.h"

namespace {
// A word of two Latin letters or more: Qt's own English, left untranslated. ("保存(&S)"
// keeps its one-letter shortcut.)
bool HasEnglishWord(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    return text.contains(word);
}

// Every text the dialog shows of its own: labels, buttons and their tool tips, the headings
// of its file list, the kind and the date of each entry. The boxes that show the folder and
// the filter hold the caller's texts, the names of the files are the files' own.
QStringList OwnTexts(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisible()) texts << label->text();
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->isVisible()) continue;
        texts << button->text() << button->toolTip();
    }
    for (QTreeView* view : dialog->findChildren<QTreeView*>()) {
        QAbstractItemModel* model = view->model();
        for (int c = 0; model && c < model->columnCount(); ++c)
            if (!view->isColumnHidden(c)) texts << model->headerData(c, Qt::Horizontal).toString();
        const QModelIndex shown = view->rootIndex();
        for (int r = 0; model && r < model->rowCount(shown); ++r) {
            texts << model->index(r, 2, shown).data().toString();  // "文件夹", "xlsx 文件"
            texts << model->index(r, 3, shown).data().toString();  // "2026/12/9 22:21"
        }
    }
    texts.removeAll(QString());
    return texts;
}

class QtTranslationTest : public ShopTest {
  protected:
    void TearDown() override {
        ClearSaveFileResponder();
        ShopTest::TearDown();
    }
};
}  // namespace

TEST_F(QtTranslationTest, TheSaveDialogReadsInChinese) {
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "查找范围：")
        << "the test program loaded Qt's translation before any window, as start-up does";
    EXPECT_TRUE(InstallQtTranslation()) << "a second call finds it in place";
    ClearSaveFileResponder();
    QStringList texts;
    QString saveButton;
    QString title;
    QString folderDate;
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        // The list of the folder's entries fills from a thread of its own.
        auto* list = dialog.findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) > 0; }));
        title = dialog.windowTitle();
        texts = OwnTexts(&dialog);
        QAbstractItemModel* model = list->model();
        for (int r = 0; r < model->rowCount(list->rootIndex()); ++r)
            if (model->index(r, 0, list->rootIndex()).data().toString() == "earlier")
                folderDate = model->index(r, 3, list->rootIndex()).data().toString();
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            for (QAbstractButton* b : buttons->buttons())
                if (buttons->buttonRole(b) == QDialogButtonBox::AcceptRole) saveButton = b->text();
        dialog.reject();
    });
    QDir().mkpath(QDir(Dir()).filePath("earlier"));
    const QString chosen =
        GetSaveFileName(nullptr, QStringLiteral("导出"), QStringLiteral("Excel (*.xlsx)|*.xlsx"),
                        QDir(Dir()).filePath("BuyReport2024305.xlsx"));
    EXPECT_TRUE(chosen.isEmpty()) << "the dialog was cancelled";
    EXPECT_EQ(title, "导出");
    EXPECT_EQ(saveButton, "保存(&S)");
    EXPECT_TRUE(texts.contains("查找范围：")) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains("名称")) << texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains("文件夹")) << texts.join(" | ").toStdString();
    EXPECT_GT(texts.size(), 10);
    // The date of a file, whatever the machine's language: year, month, day.
    const QDateTime made = QFileInfo(QDir(Dir()).filePath("earlier")).lastModified();
    EXPECT_EQ(folderDate, QString("%1/%2/%3 %4")
                              .arg(made.date().year())
                              .arg(made.date().month())
                              .arg(made.date().day())
                              .arg(made.time().toString("HH:mm")));
    for (const QString& text : texts) EXPECT_FALSE(HasEnglishWord(text)) << text.toStdString();
}
