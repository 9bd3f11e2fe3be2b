#pragma once
#include <QIcon>
#include <QPixmap>
#include <QSize>

// The pictures of the main window, drawn for this program as SVG files compiled in as
// resources and rendered at whatever size the window asks for, so they stay sharp when
// the layout changes. An index out of range or an empty size gives a null pixmap.
class Pictures {
  public:
    static constexpr int kPageButtons = 7;      // Image3(0..6)
    static constexpr int kPageBackgrounds = 6;  // Image1(0..5)
    static constexpr int kReportButtons = 8;    // ImgReport(0..7)

    // The sizes the pictures are drawn at; other sizes stretch them (backgrounds crop).
    static constexpr QSize kPageButtonSize{96, 72};
    static constexpr QSize kPageBackgroundSize{800, 500};
    static constexpr QSize kReportButtonSize{270, 72};

    // The page buttons with their captions: 0 出租, 1 归还, 2 光盘管理, 3 数据统计,
    // 4 系统维护, 5 会员管理, 6 出售.
    static QPixmap PageButton(int index, QSize size);

    // The backgrounds of the tab pages, by page index: 0 settings, 1 statistics,
    // 2 catalogue, 3 returns, 4 counter, 5 members. The picture covers the whole size
    // asked without distortion; what overhangs the narrower side is cut off evenly.
    static QPixmap PageBackground(int index, QSize size);

    // The button plates of the statistics page, by the index of the link lying on them:
    // 0 customers, 1 income and expenditure, 2 purchases, 3 returns income, 4 rentals,
    // 5 most rented, 6 sales income, 7 best selling. An icon at the left, room for the
    // link text across the middle.
    static QPixmap ReportButton(int index, QSize size);

    // The main window's icon, at the usual icon sizes.
    static QIcon WindowIcon();

  private:
    enum class Fit { Stretch, Cover };
    class IconEngine;
    static QPixmap Render(const QString& resource, QSize size, Fit fit);
};
