#pragma once
#include <QWidget>
#include <memory>
#include <vector>

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
class CataloguePage : public QWidget {
    Q_OBJECT
public:
    explicit CataloguePage(QWidget* parent = nullptr);

    // Opens the catalogue on "select * from cdinfo where issell<2" & StrWhere.
    void SetCDInfoSourse(const QString& StrWhere);
    // Saves the title being edited.
    void CmdSave_Click();
    // The entry fields when the catalogue has no current title: zero prices and
    // copies, today's date, no format or movie type.
    void ShowEmptyEntry();
    // Fills the entry fields from the current title (rent type, prices, copies, date,
    // format and movie type) and remembers its classification.
    void ShowCurrentEntry();
    // Re-selects the format and movie type of the row shown in the grid.
    void ReselectClassification();
    // The rent type options and the format and movie type of the current title.
    void ShowRentTypeAndClassification();
    // The entry controls that start-up enables.
    std::vector<QWidget*> EntryControls() const;
    bool HasCurrentRow() const;

    // The list
    QComboBox* CboManageMovieType;
    QComboBox* CboManageType;
    Label* LblCDManageCount;
    DataGrid* dgCDInfo;
    std::unique_ptr<Recordset> adoCDInfo;

    // The entry frame "光盘信息收集"
    QGroupBox* Frame6;
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

private:
    QWidget* BuildList();
    QGroupBox* BuildEntry();
    QWidget* BuildButtons();
    void SelectRentType(const QString& borrowpricetype);
};
