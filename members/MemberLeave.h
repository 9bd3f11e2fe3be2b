#pragma once

class Recordset;

// A member leaves the shop: the current row of the member recordset (batch locking) is
// deleted from the file at once, in one transaction; a member added and never written
// just disappears. The member's rentals and sales stay. The page saves its other edits
// first, so the deletion is all the recordset has to write; when the file refuses it, the
// member stays, as in the file.
//
// The operator hands the member the balance the page showed: the deletion checks, inside
// its transaction, that the file still holds the member with that balance. When another
// program changed the balance or removed the member since the list was read, nothing is
// written and the outcome says so.
class MemberLeave {
  public:
    enum class Outcome { NoMember, Left, ChangedElsewhere };
    static Outcome Run(Recordset& members);
};
