-- The company database layout: the blank template, and the start of every
-- company file the program creates.
-- Dates are TEXT 'YYYY-MM-DD' or NULL; money and fractions REAL, NULL when
-- empty; yes/no INTEGER 0/1; lives TEXT as the catalogue lists them.
CREATE TABLE Version (
    version INTEGER NOT NULL
);
INSERT INTO Version (version) VALUES (3);

CREATE TABLE Defaults (
    companynumber INTEGER,
    Name TEXT,
    YearEnd TEXT,
    [Regular federal] INTEGER NOT NULL DEFAULT 0,
    Book INTEGER NOT NULL DEFAULT 0,
    [Mid Qrt YR Tax] INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE groups (
    groupname TEXT
);

CREATE TABLE assets (
    AssetID INTEGER PRIMARY KEY,
    companynumber INTEGER,
    groupname TEXT,
    [Asset Description] TEXT,
    [Date Placed in Service] TEXT,
    [Date Disposed] TEXT,
    [Dprn Method - Tax] TEXT,
    MidQrtAsset TEXT,
    [Dprn Life - Tax] TEXT,
    [Dprn Method - Book] TEXT,
    [Dprn Life - Book] TEXT,
    [Asset Cost - Tax] REAL,
    [Asset Cost - Book] REAL,
    SecOneSevenNine REAL,
    [FirstYR30%Deduction] REAL,
    PostSecBasis REAL,
    [Post30%DeductionBasis] REAL,
    [Prior Accumulated Dprn - Tax] REAL,
    [Current Dprn - Tax] REAL,
    [Prior Accumulated Dprn - Book] REAL,
    [Current Dprn - Book] REAL,
    YRPIS TEXT,
    [Business Use Percentage - Tax] REAL,
    [Business Use Percentage - Book] REAL,
    [Non Bus Dprn] REAL,
    [Prior Non Bus Accm Dprn] REAL,
    [Listed Property] INTEGER NOT NULL DEFAULT 0,
    [Passenger Automobile] INTEGER NOT NULL DEFAULT 0,
    Line24eBasis REAL,
    [Book Dprn Override] INTEGER NOT NULL DEFAULT 0,
    [Tax Dprn Override] INTEGER NOT NULL DEFAULT 0,
    [ITC Basis Adjustment] REAL,
    [Salvage Value - Book] REAL,
    [Cost Less ITC Adj] REAL,
    assetchng INTEGER NOT NULL DEFAULT 0,
    [Salvage Value - Tax] REAL,
    [Truck & Van Bonus - Tax] INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX assets_company ON assets (companynumber);
-- The mid-quarter test and the limit checks read only the year's new assets.
CREATE INDEX assets_year ON assets (companynumber, YRPIS);
-- The asset list sorts by each of its columns and reads a page at a time;
-- the sort keys never hold NULL, so that a row's place is (key, AssetID).
-- The amounts every run rewrites have none: the list reads them in full.
CREATE INDEX assets_list_description ON assets (companynumber, ifnull([Asset Description], '') COLLATE NOCASE);
CREATE INDEX assets_list_group ON assets (companynumber, ifnull([groupname], ''));
CREATE INDEX assets_list_placed ON assets (companynumber, ifnull([Date Placed in Service], ''));
CREATE INDEX assets_list_disposed ON assets (companynumber, ifnull([Date Disposed], ''));
CREATE INDEX assets_list_method_tax ON assets (companynumber, ifnull([Dprn Method - Tax], ''));
CREATE INDEX assets_list_life_tax ON assets (companynumber, ifnull(CAST([Dprn Life - Tax] AS REAL), 0));
CREATE INDEX assets_list_cost_tax ON assets (companynumber, ifnull([Asset Cost - Tax], 0));
