#pragma once

class QObject;
class Recordset;

// A member leaves the shop: the current row of the member recordset (batch locking) is
// deleted from the file at once, in one transaction; a member added and never written
// just disappears. The member's rentals and sales stay. The page saves its other edits
// first, so the deletion is all the recordset has to write; when the file refuses it, the
// member stays, as in the file. False when there is no current member.
class MemberLeave {
  public:
    static bool Run(Recordset& members, QObject* source = nullptr);
};
