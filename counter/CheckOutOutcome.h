#pragma once

// How a rental or sale check-out's confirmation ended.
enum class CheckOutOutcome {
    Written,
    NumbersUsedUp,  // a new basket found every number from 0001 to 9999 in use
    NoCopies,       // no copy was chosen
    TitleGone,      // the title is no longer in the catalogue
    CopiesGone,     // a copy chosen is no longer on the shelf (nor on the line edited)
    NoMember,       // a member's new basket whose number no member has
};
