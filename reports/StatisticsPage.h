#pragma once
#include <array>
#include "core/ShopPage.h"

class Label;
class PictureButton;

// Page 1 of the main window: eight links, one per report window, each lying on a
// button picture.
class StatisticsPage : public ShopPage {
    Q_OBJECT
  public:
    static constexpr int kLinks = 8;
    explicit StatisticsPage(QWidget* parent = nullptr);

    // Takes the underline off links 0 to last.
    void ClearUnderlines(int last);
    // The pointer over the page's background takes every link's underline away.
    void PointerOverBackground() override { ClearUnderlines(5); }
    bool IsUnderlined(int index) const;

    // Opens the report window of the link (each exists once: an open one comes to the
    // front as it is); a link whose window does not exist yet does nothing.
    void LblReport_Click(int Index);
    // The label under the pointer is the only one underlined.
    void LblReport_MouseMove(int Index);
    // The pointer over a picture, beside its label: no label is underlined.
    void ImgReport_MouseMove(int Index);

    std::array<PictureButton*, kLinks> ImgReport{};
    std::array<Label*, kLinks> LblReport{};
};
