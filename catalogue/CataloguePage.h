#pragma once
#include <memory>
#include <vector>

#include "catalogue/CatalogueSave.h"
#include "core/ShopPage.h"
#include "platform/db/Recordset.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class DataGrid;
class Label;
class MaskEdBox;

// Page 2 of the main window: the disc catalogue. The grid of titles with its two
// filters, and the entry fields of the current title.
class CataloguePage : public ShopPage {
    Q_OBJECT
  public:
    explicit CataloguePage(QWidget* parent = nullptr);

    // Opens the catalogue on "select * from cdinfo where issell<2" followed by StrWhere
    // (a condition starting with " and ", its values bound from params).
    void SetCDInfoSourse(const QString& StrWhere, const Params& params = {});
    // Saves the title being edited ("保存(&S)").
    void CmdSave_Click();
    // The save with its outcome; CatalogueSave::AnyPage saves whatever page shows.
    SaveOutcome Save(CatalogueSave::Scope scope = CatalogueSave::CataloguePageOnly);
    // Before the catalogue moves off the current title: a pending edit is saved through
    // the save's checks. False when the save refused (the caller does not move).
    bool SaveBeforeLeavingRow();
    // Closing the program: a pending edit is saved whatever page shows, a row without a
    // disc number is dropped; when the save refuses, the operator decides. False keeps
    // the program open.
    bool SaveBeforeClosing() override;

    // The page protocol.
    void Load() override;
    void EnableEntry() override;
    void Activate(int button) override;
    // The catalogue's recordset, read on first use.
    Recordset* OpenedCatalogue();
    // The current title has edits not yet written.
    bool HasPendingEdit() const;

    // The entry fields when the catalogue has no current title: zero prices and
    // copies, today's date, no format or movie type.
    void ShowEmptyEntry();
    // Fills the entry fields from the current title (rent type, prices, copies, date,
    // format and movie type) and remembers its classification.
    void ShowCurrentEntry();
    // The entry fields after a save: as ShowCurrentEntry, with the four rent and sale
    // prices as the grid shows them ("￥5.00").
    void ShowSavedEntry();
    // Re-selects the format and movie type of the row shown in the grid.
    void ReselectClassification();
    // The rent type options and the format and movie type of the current title.
    void ShowRentTypeAndClassification();
    // The entry controls that start-up enables.
    std::vector<QWidget*> EntryControls() const;
    bool HasCurrentRow() const;
    // The catalogue page is the page the main window shows.
    bool IsShowing() const;

    // Event handlers
    void CboManageMovieType_Click();
    void CboManageType_Click();
    void adoCDInfo_MoveComplete();
    void CboMovieType_LostFocus();
    void CboType_LostFocus();
    void PriceInput_LostFocus(MaskEdBox* input, int column);
    void MebCount_LostFocus();
    void MebDate_LostFocus();
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void Text1_LostFocus();
    void TxtName_Change();
    void TxtName_LostFocus();
    void TxtActor_LostFocus();
    void dgCDInfo_MouseMove();
    void Command1_Click();  // "新光盘(&A)"
    void Command2_Click();  // "丢弃光盘(&D)"
    void Command3_Click();  // "清除所有坏光盘(&L)"
    void Command9_Click();  // "查找(&F)"

    // Writes text into a grid column of the current row unless the field holds it already.
    void WriteColumn(int column, const QString& text);
    // Brings the counter's list and its detail panel up to date after the catalogue changed.
    void RefreshCounter();

    // Grid columns the entry inputs write.
    enum Column {
        kColId = 0,
        kColName = 1,
        kColRestCount = 2,
        kColBorn = 3,
        kColType = 4,
        kColMovieType = 5,
        kColPrice = 6,
        kColBuyDate = 7,
        kColBorrowPrice = 8,
        kColSellPrice = 9,
        kColMemberBorrowPrice = 10,
        kColMemberSellPrice = 11,
        kColLocation = 12,
    };

    // The list
    QComboBox* CboManageMovieType;
    QComboBox* CboManageType;
    Label* LblCDManageCount;
    DataGrid* dgCDInfo;
    std::unique_ptr<Recordset> adoCDInfo;

    // The entry frame "光盘信息收集"
    QGroupBox* FrameDiscEntry;
    QLineEdit* TxtID;
    QLineEdit* Text1;
    QLineEdit* TxtName;
    QLineEdit* TxtActor;
    QComboBox* CboMovieType;
    QComboBox* CboType;
    MaskEdBox* MebDate;
    MaskEdBox* MebCount;
    QLineEdit* TxtCount;
    MaskEdBox* MebPrice;
    MaskEdBox* MebBorrowPrice;
    MaskEdBox* MebSellPrice;
    MaskEdBox* MebMemberBorrowPrice;
    MaskEdBox* MebMemberSellPrice;
    QGroupBox* Frame7;  // rent type
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLineEdit* Text2;
    QLineEdit* TxtBorn;
    QLineEdit* TxtLocation;
    QLineEdit* TxtKey;
    QPlainTextEdit* TxtContent;
    QLineEdit* TxtRemark;
    QCheckBox* Check1;

    QPushButton* Command1;
    QPushButton* CmdSave;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command9;
    QPushButton* CmdPrintStore;

    // Form-level state of the catalogue
    std::vector<int> TypeIDs;
    std::vector<int> MovieTypeIDs;
    QString OldType;
    QString OldMovieType;
    bool IsNewCD = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* BuildList();
    void ConnectShop();
    // Reads the catalogue again when a change was announced since it was read, unless the
    // operator is editing a title.
    void CatchUp();
    QGroupBox* BuildEntry();
    QWidget* BuildButtons();
    void BindEntryFields();
    void ConnectHandlers();
    void ConnectRecordset();
    void SelectRentType(const QString& borrowpricetype);
    void FillEntryFromRow();
    void ChangeFilter();
    void ShowFilterOfCatalogue();
    void AppendInitials(const QLineEdit* source);
    // Reads the catalogue again without writing the current title's edit, then puts the
    // edit back on that title.
    void ReadCatalogueKeepingTheEdit();

    // The filter the open catalogue was made with.
    QString filterWhere_;
    Params filterParams_;
    QString filterMovieType_;
    QString filterType_;
    // AddNew keeps the entry inputs: a new title starts from the one shown before it.
    bool addingNew_ = false;
    bool behind_ = false;  // a change was announced that the catalogue does not show yet
    // The pointer's save was refused for the edits as they stand: moving the pointer again
    // does not repeat the message until the title is edited or another one is current.
    bool pointerSaveRefused_ = false;
};
