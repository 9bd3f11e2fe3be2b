#pragma once
#include <QPointer>
#include <optional>

#include "platform/ui/FormOf.h"

class CataloguePage;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

// The find dialog "查找": finds a title in the catalogue by its search key (pinyin
// initials of name and actors, and the disc number), case ignored on both sides. It moves
// the main window's catalogue itself, so the hit becomes the catalogue's current title.
// Shown modeless, owned by the main window.
class frmFind : public FormOf<frmFind> {
    Q_OBJECT
    friend class FormOf<frmFind>;

  public:
    // The catalogue page's "查找(&F)": shown modeless, owned by the main window, on that page.
    void ShowFor(CataloguePage& catalogue);

    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

    void Command1_Click();  // "查找(&F)": from the first title
    void Command2_Click();  // "查找下一个(&N)": from the title after the current one
    void Command3_Click();  // "取消(&C)"

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

    bool StopFind = false;  // Esc ends a running search on the title reached

  private:
    frmFind();
    void Find(bool fromFirst);
    // The position of the first matching title from `from` on (RecordCount()+1 when none),
    // or where Esc stopped the search; nothing when the search had to give up (the dialog
    // or the program closed, or the catalogue was reopened or changed meanwhile).
    std::optional<int> Search(Recordset* rs, int from, int yieldEvery);
    bool MoveCatalogueTo(Recordset* rs, int position);
    void EndSearch(Recordset* rs);
    bool searching_ = false;
    QPointer<CataloguePage> catalogue_;
};
