#pragma once
#include <QLabel>
#include <QPixmap>

// A picture that acts as a button (the page buttons and backgrounds of the main window):
// Click, and MouseDown/MouseUp/MouseMove with the button, shift state and position in
// twips. MoveByTwips shifts it for the pressed look; LeftTwips()/TopTwips() read where it
// stands. Mouse-up reaches the picture that had the press even when the pointer was
// released outside it.
class PictureButton : public QLabel {
    Q_OBJECT
  public:
    explicit PictureButton(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    // Stretch: the picture fills the control (otherwise it keeps its own size).
    void SetStretch(bool stretch) { setScaledContents(stretch); }
    void MoveByTwips(int dxTwips, int dyTwips);
    int LeftTwips() const;
    int TopTwips() const;

  signals:
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);
};
