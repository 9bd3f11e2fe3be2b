-- The shop's database: nine tables, and two of the program's own (openbasket and freenumber,
-- at the end, with freenumber's triggers).
-- The program reads and writes the nine tables but never creates or alters them;
-- tools/lumtrak-mkdb makes an empty database from this file.
--
-- Conventions: amounts REAL; counts and flags INTEGER (flags 0/1); dates TEXT
-- 'yyyy-mm-dd'; date-times TEXT 'yyyy-mm-dd hh:mm:ss'. Names the operator types are
-- compared without regard to (ASCII) case. Keys are digit texts:
--   cdid      12  format code (2) + movie-type code (2) + sequence (8)
--   borrowid  16  cdid + rental number (4)      returnid 20  borrowid + return number (4)
--   sellid    16  cdid + sale number (4)        userid    6  member number
-- Copy lists (borrowlst, isnotpaylst, returnlst, selllst) hold items '&' n '#'.
-- Indexes use built-in expressions only, so any SQLite client can write the file.

CREATE TABLE cdinfo (
    cdid              TEXT NOT NULL PRIMARY KEY,
    id                TEXT COLLATE NOCASE,
    name              TEXT COLLATE NOCASE,
    actor             TEXT,
    [key]             TEXT,
    movietype         TEXT COLLATE NOCASE,
    type              TEXT COLLATE NOCASE,
    Content           TEXT,
    remark            TEXT,
    location          TEXT,
    born              TEXT,
    count             INTEGER,
    restcount         INTEGER,
    buydate           TEXT,
    price             REAL,
    buymoney          REAL,
    borrowprice       REAL,
    memberborrowprice REAL,
    sellprice         REAL,
    membersellprice   REAL,
    borrowpricetype   TEXT,
    isabandon         INTEGER NOT NULL DEFAULT 0,
    station           TEXT,
    outcount          INTEGER NOT NULL DEFAULT 0,
    issell            INTEGER NOT NULL DEFAULT 0,
    borrowcount       INTEGER NOT NULL DEFAULT 0,
    borrowearn        REAL    NOT NULL DEFAULT 0,
    sellcount         INTEGER NOT NULL DEFAULT 0,
    sellearn          REAL    NOT NULL DEFAULT 0
);
CREATE INDEX cdinfo_type ON cdinfo(type);
CREATE INDEX cdinfo_movietype ON cdinfo(movietype);
-- The counter's list in the order of each sortable heading, so that a heading click shows
-- its first rows without sorting every title first. Titles with the same value stay in
-- catalogue order either way, hence one index for each direction.
CREATE INDEX cdinfo_id ON cdinfo(id);
CREATE INDEX cdinfo_id_desc ON cdinfo(id DESC);
CREATE INDEX cdinfo_borrowprice ON cdinfo(borrowprice);
CREATE INDEX cdinfo_borrowprice_desc ON cdinfo(borrowprice DESC);
CREATE INDEX cdinfo_count ON cdinfo(count);
CREATE INDEX cdinfo_count_desc ON cdinfo(count DESC);
CREATE INDEX cdinfo_buydate ON cdinfo(buydate);
CREATE INDEX cdinfo_buydate_desc ON cdinfo(buydate DESC);
CREATE INDEX cdinfo_outcount ON cdinfo(outcount);
CREATE INDEX cdinfo_outcount_desc ON cdinfo(outcount DESC);
CREATE INDEX cdinfo_born ON cdinfo(born);
CREATE INDEX cdinfo_born_desc ON cdinfo(born DESC);
-- Whether each title is listed, so that the counter's list is counted without reading every
-- title's row. It leads with the key, so that it never serves, nor orders, the list itself.
CREATE INDEX cdinfo_listing ON cdinfo(cdid, isabandon, issell);
-- The titles not on the shelf, whose lines still out the return page lists and counts.
CREATE INDEX cdinfo_out ON cdinfo(cdid, station) WHERE station <> '未借出';
-- The lines whose date is in neither written form (another program's "2024-3-1 9:05:00",
-- a leading blank, a "T"): the reports read them by their value besides the range of written
-- dates they take from the date index. The condition is the reports' own, word for word.
CREATE INDEX cdinfo_odd_dates ON cdinfo(buydate)
    WHERE NOT (buydate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
    OR buydate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]');

CREATE TABLE userinfo (
    userid      TEXT NOT NULL PRIMARY KEY,
    username    TEXT COLLATE NOCASE,
    telephone   TEXT,
    address     TEXT,
    JoinDate    TEXT,
    money       REAL,
    tax         REAL DEFAULT 0,
    ispay       INTEGER NOT NULL DEFAULT 0,
    borrowcount INTEGER NOT NULL DEFAULT 0,
    borrowmoney REAL    NOT NULL DEFAULT 0,
    sellcount   INTEGER NOT NULL DEFAULT 0,
    sellmoney   REAL    NOT NULL DEFAULT 0
);
-- A customer key is a member's number whatever the case of its letters, as the rental and
-- sale lines' keys compare: the reports find the member of a key through this index.
CREATE INDEX userinfo_userid_nocase ON userinfo(userid COLLATE NOCASE);
CREATE INDEX userinfo_odd_dates ON userinfo(JoinDate)
    WHERE NOT (JoinDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
    OR JoinDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]');

CREATE TABLE borrowinfo (
    borrowid         TEXT NOT NULL PRIMARY KEY,
    name             TEXT COLLATE NOCASE,
    borrowdate       TEXT,
    borrowcount      INTEGER,
    borrowlst        TEXT,
    isnotpaylst      TEXT,
    CredenceType     TEXT,
    foregift         REAL    DEFAULT 0,
    Guaranty         TEXT,
    IsReturnGuaranty INTEGER NOT NULL DEFAULT 0,
    money            REAL    DEFAULT 0,
    isreturnall      INTEGER NOT NULL DEFAULT 0,
    remark           TEXT
);
CREATE INDEX borrowinfo_cdid ON borrowinfo(substr(borrowid, 1, 12));
-- The rental, sale and return numbers (the keys' last four characters): the lines of one
-- basket or settlement, and the search for the lowest free number, one look-up a number in
-- an index kept small so that it is read fast also the first time.
CREATE INDEX borrowinfo_no ON borrowinfo(substr(borrowid, -4));
CREATE INDEX borrowinfo_name ON borrowinfo(name);
CREATE INDEX borrowinfo_date ON borrowinfo(borrowdate);
-- Each customer's lines with what the customer report sums of them, read without the
-- table. (A look-up of one customer's lines keeps going through borrowinfo_name, in the
-- order they were written.)
CREATE INDEX borrowinfo_customers ON borrowinfo(name, money, borrowdate);
-- Every line in id order with what the income report sums: read without the table.
CREATE INDEX borrowinfo_lines ON borrowinfo(borrowid, borrowdate, borrowcount, money, foregift);
-- The lines still out, with what the return page lists of them: it lists them by period,
-- and counts them (with the titles out, below), without reading the lines' rows, which lie
-- scattered among the returned ones.
CREATE INDEX borrowinfo_out ON borrowinfo(borrowdate, borrowid, isreturnall, name, borrowcount,
    borrowlst, CredenceType, foregift, Guaranty, money, remark) WHERE isreturnall = 0;
CREATE INDEX borrowinfo_odd_dates ON borrowinfo(borrowdate)
    WHERE NOT (borrowdate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
    OR borrowdate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]');

CREATE TABLE returninfo (
    returnid    TEXT NOT NULL PRIMARY KEY,
    returndate  TEXT,
    returncount INTEGER,
    returnlst   TEXT,
    remark      TEXT
);
CREATE INDEX returninfo_borrowid ON returninfo(substr(returnid, 1, 16));
CREATE INDEX returninfo_cdid ON returninfo(substr(returnid, 1, 12));
CREATE INDEX returninfo_no ON returninfo(substr(returnid, -4));
CREATE INDEX returninfo_date ON returninfo(returndate);
-- Every line in id order (a rental's lines together) with what the income report sums.
CREATE INDEX returninfo_lines ON returninfo(returnid, returndate, returncount);
CREATE INDEX returninfo_odd_dates ON returninfo(returndate)
    WHERE NOT (returndate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
    OR returndate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]');

CREATE TABLE sellinfo (
    sellid    TEXT NOT NULL PRIMARY KEY,
    name      TEXT COLLATE NOCASE,
    selldate  TEXT,
    sellcount INTEGER,
    selllst   TEXT,
    money     REAL DEFAULT 0,
    remark    TEXT
);
CREATE INDEX sellinfo_cdid ON sellinfo(substr(sellid, 1, 12));
CREATE INDEX sellinfo_no ON sellinfo(substr(sellid, -4));
CREATE INDEX sellinfo_name ON sellinfo(name);
CREATE INDEX sellinfo_date ON sellinfo(selldate);
CREATE INDEX sellinfo_odd_dates ON sellinfo(selldate)
    WHERE NOT (selldate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]'
    OR selldate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]');

-- Disc formats and movie types. typeid is two digits of every cdid: 1 to 99.
CREATE TABLE type (
    typeid INTEGER NOT NULL PRIMARY KEY,
    type   TEXT COLLATE NOCASE
);

CREATE TABLE movietype (
    typeid INTEGER NOT NULL PRIMARY KEY,
    type   TEXT COLLATE NOCASE
);

-- One row of settings: member price factors and the monthly membership fee.
CREATE TABLE pricepercent (
    id       INTEGER NOT NULL PRIMARY KEY,
    percentb REAL,
    percents REAL,
    tax      REAL
);

-- One row: the deposit rule. foregifttype 0 the title's purchase amount per copy,
-- 1 a fixed amount per copy, 2 one fixed amount per basket.
CREATE TABLE ForeGift (
    id           INTEGER NOT NULL PRIMARY KEY,
    foregifttype INTEGER,
    money        REAL,
    membermoney  REAL
);

-- The program's own: the baskets open at the counter, one row each ('borrow' a rental
-- basket, its lines in borrowinfo; 'sell' a sale basket, in sellinfo). A basket's row is
-- written in the transaction that writes its first line and deleted in the one that settles
-- it, rolls it back or removes its last line: a line whose basket has a row here is no
-- rental or sale yet, whenever the program stopped, and start-up rolls such a basket back.
-- basketno is the last four characters of its lines' ids. The row keeps what the basket was
-- opened with, for all its lines: the customer key (name), the kind the operator chose
-- (usertype 3 a member, 4 a walk-in), whether the customer was a member (ismember), and for
-- a rental the deposit rule with its two amounts as ForeGift held them (foregifttype, money
-- for walk-in customers, membermoney for members; Null for a sale). Start-up adds the table
-- to a file made before it (core/ShopFileAdditions, which holds the same definition).
CREATE TABLE openbasket (
    kind         TEXT    NOT NULL,
    basketno     TEXT    NOT NULL,
    name         TEXT    COLLATE NOCASE,
    usertype     INTEGER NOT NULL,
    ismember     INTEGER NOT NULL DEFAULT 0,
    foregifttype INTEGER,
    money        REAL,
    membermoney  REAL,
    PRIMARY KEY (kind, basketno)
);

-- The program's own: the rental ('borrow'), sale ('sell') and return ('return') numbers no
-- line carries, one row each (no, four digits from 0001 to 9999), so that the lowest free
-- number is the table's first row of its kind, found in one look-up however many numbers
-- are in use. A line carries the number of its key's last four characters; a key whose last
-- four characters are not four digits carries none, nor do the yearly fold's summary rows
-- ('0000'). The triggers keep the table whoever writes the lines, with SQLite's own
-- functions only, so another program writing the file keeps it right too: a line written
-- takes its number out; a line gone gives its number back once no other line carries it,
-- as the index of the keys' last four characters tells. No statement here can meet a
-- conflict, so the conflict clause of the statement that fires a trigger changes nothing;
-- and nothing here counts lines, which a line replaced by an INSERT OR REPLACE (gone without
-- its delete trigger firing) would put wrong. Start-up adds the table, filled from the
-- lines, and its triggers to a file made before them (core/ShopFileAdditions).
CREATE TABLE freenumber (
    kind TEXT NOT NULL,
    no   TEXT NOT NULL,
    PRIMARY KEY (kind, no)
) WITHOUT ROWID;
CREATE TRIGGER borrowinfo_number_taken AFTER INSERT ON borrowinfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'borrow' AND no = substr(new.borrowid, -4);
END;
CREATE TRIGGER borrowinfo_number_freed AFTER DELETE ON borrowinfo
WHEN substr(old.borrowid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.borrowid, -4) <> '0000'
BEGIN
    INSERT INTO freenumber (kind, no) SELECT 'borrow', substr(old.borrowid, -4)
    WHERE NOT EXISTS (SELECT 1 FROM borrowinfo WHERE substr(borrowid, -4) = substr(old.borrowid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'borrow' AND no = substr(old.borrowid, -4));
END;
CREATE TRIGGER borrowinfo_number_changed AFTER UPDATE OF borrowid ON borrowinfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'borrow' AND no = substr(new.borrowid, -4);
    INSERT INTO freenumber (kind, no) SELECT 'borrow', substr(old.borrowid, -4)
    WHERE substr(old.borrowid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.borrowid, -4) <> '0000'
    AND NOT EXISTS (SELECT 1 FROM borrowinfo WHERE substr(borrowid, -4) = substr(old.borrowid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'borrow' AND no = substr(old.borrowid, -4));
END;
CREATE TRIGGER sellinfo_number_taken AFTER INSERT ON sellinfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'sell' AND no = substr(new.sellid, -4);
END;
CREATE TRIGGER sellinfo_number_freed AFTER DELETE ON sellinfo
WHEN substr(old.sellid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.sellid, -4) <> '0000'
BEGIN
    INSERT INTO freenumber (kind, no) SELECT 'sell', substr(old.sellid, -4)
    WHERE NOT EXISTS (SELECT 1 FROM sellinfo WHERE substr(sellid, -4) = substr(old.sellid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'sell' AND no = substr(old.sellid, -4));
END;
CREATE TRIGGER sellinfo_number_changed AFTER UPDATE OF sellid ON sellinfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'sell' AND no = substr(new.sellid, -4);
    INSERT INTO freenumber (kind, no) SELECT 'sell', substr(old.sellid, -4)
    WHERE substr(old.sellid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.sellid, -4) <> '0000'
    AND NOT EXISTS (SELECT 1 FROM sellinfo WHERE substr(sellid, -4) = substr(old.sellid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'sell' AND no = substr(old.sellid, -4));
END;
CREATE TRIGGER returninfo_number_taken AFTER INSERT ON returninfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'return' AND no = substr(new.returnid, -4);
END;
CREATE TRIGGER returninfo_number_freed AFTER DELETE ON returninfo
WHEN substr(old.returnid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.returnid, -4) <> '0000'
BEGIN
    INSERT INTO freenumber (kind, no) SELECT 'return', substr(old.returnid, -4)
    WHERE NOT EXISTS (SELECT 1 FROM returninfo WHERE substr(returnid, -4) = substr(old.returnid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'return' AND no = substr(old.returnid, -4));
END;
CREATE TRIGGER returninfo_number_changed AFTER UPDATE OF returnid ON returninfo
BEGIN
    DELETE FROM freenumber WHERE kind = 'return' AND no = substr(new.returnid, -4);
    INSERT INTO freenumber (kind, no) SELECT 'return', substr(old.returnid, -4)
    WHERE substr(old.returnid, -4) GLOB '[0-9][0-9][0-9][0-9]' AND substr(old.returnid, -4) <> '0000'
    AND NOT EXISTS (SELECT 1 FROM returninfo WHERE substr(returnid, -4) = substr(old.returnid, -4))
    AND NOT EXISTS (SELECT 1 FROM freenumber WHERE kind = 'return' AND no = substr(old.returnid, -4));
END;

-- The settings rows exist from the start: the settings page only updates them.
INSERT INTO pricepercent (id, percentb, percents, tax) VALUES (1, 1, 1, 0);
INSERT INTO ForeGift (id, foregifttype, money, membermoney) VALUES (1, 1, 0, 0);
-- Every number is free in a file with no lines.
INSERT INTO freenumber (kind, no)
    WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 9999)
    SELECT kind, substr(10000 + x, -4)
    FROM n, (SELECT 'borrow' AS kind UNION ALL SELECT 'sell' UNION ALL SELECT 'return');
