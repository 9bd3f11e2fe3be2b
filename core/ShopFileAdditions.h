#pragma once

class Connection;

// What the program adds to a shop's file of its own (support/schema.sql holds it too): the
// table of the baskets open at the counter (OpenBasketRow). A file made from the schema has
// it; a file made before it lacks it, and start-up brings such a file up to what the program
// adds, in one transaction, before anything reads it.
class ShopFileAdditions {
  public:
    // Adds what the file lacks. A file that cannot be written (read-only, locked by another
    // program) gets the table on this connection only, empty, as a TEMP table: every
    // statement that reads it runs, and the program works read-only as before, with nothing
    // more to tell. False in that case.
    static bool BringUp(Connection& conn);
    // In the caller's transaction, before the first row is written to the table: a table
    // that start-up could only make on the connection goes into the file itself now (the
    // lock it met is gone), so that the row is written with the lines it belongs to.
    static void IntoFile(Connection& conn);
};
