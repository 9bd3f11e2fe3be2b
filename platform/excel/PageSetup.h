#pragma once

// How a worksheet is laid out on paper, as its page settings give it. Margins are in
// inches, as the workbook stores them.
struct PageSetup {
    bool landscape = false;
    int paperSize = 9;  // 9 is A4
    int scale = 100;    // percent
    bool fitToPage = false;
    int fitToWidth = 1;   // pages across (0: as many as needed)
    int fitToHeight = 1;  // pages down (0: as many as needed)
    bool overThenDown = false;

    double leftMargin = 0.7;
    double rightMargin = 0.7;
    double topMargin = 0.75;
    double bottomMargin = 0.75;

    bool centerHorizontally = false;
    bool centerVertically = false;
    bool gridLines = false;
};
