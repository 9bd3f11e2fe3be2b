#pragma once
#include <QPointer>
#include <array>

#include "platform/ui/FormOf.h"

class CataloguePage;
class QPushButton;
class QRadioButton;

// "选择打印格式": the stock list dialog of the catalogue page. The operator picks the
// grouping (by format or by movie type) and prints; the catalogue's filters apply. While
// the pages print the dialog is hidden and the main window stays usable; the run ends with
// the last page, or at the next row when the program closes, and then the dialog unloads.
class frmSelPrint : public FormOf<frmSelPrint> {
    Q_OBJECT
    friend class FormOf<frmSelPrint>;

  public:
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // The catalogue page's "打印(&P)": shows the dialog modelessly, owned by the main
    // window, for the catalogue's filters. Does nothing while a stock list is printing.
    static void CmdPrintStore_Click(CataloguePage& catalogue);
    // A stock list is printing (one run at a time).
    static bool IsPrinting();

    void Command1_Click();  // "打印(&P)"
    void Command2_Click();  // "取消(&C)"

    std::array<QRadioButton*, 2> Option1{};
    QPushButton* Command1;
    QPushButton* Command2;

  private:
    frmSelPrint();
    QPointer<CataloguePage> catalogue_;
    // True when the run started (the pages went out, or the program closed meanwhile).
    bool PrintStockList();
};
