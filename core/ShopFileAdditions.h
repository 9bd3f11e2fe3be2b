#pragma once

class Connection;

// What the program adds to a shop's file of its own, as support/schema.sql holds it: the
// indexes of the shop's tables, the table of the baskets open at the counter (OpenBasketRow)
// and the table of the free record numbers with the triggers that keep it (RecordNumber).
// A file made from the schema has them all; a file made before lacks some, and start-up
// brings such a file up to the schema, in one transaction, before anything reads it.
class ShopFileAdditions {
  public:
    // Adds what the file lacks, each as the schema makes it (the shop's tables are left as
    // they are), and fills a table of numbers added now from the lines. A file that cannot
    // be written (read-only, locked by another program) is left as it is and gets the table
    // of open baskets on this connection only, empty, as a TEMP table: every statement that
    // reads it runs, and the program works read-only as before, only slower without the
    // indexes, with nothing more to tell. False in that case.
    static bool BringUp(Connection& conn);
    // Whether BringUp has an index or the table of numbers to make: work that reads every
    // line of a table, which takes a while on a large shop.
    static bool TakesLong(Connection& conn);
    // In the caller's transaction, before the first row is written to the table of open
    // baskets: a table that start-up could only make on the connection goes into the file
    // itself now (the lock it met is gone), so that the row is written with the lines it
    // belongs to.
    static void IntoFile(Connection& conn);
};
