-- The method and life catalogue: the read-only lists the method and life
-- pickers offer. Each list is one column of one table, read with
-- "select [column] from table" and shown in the order the rows were
-- inserted, so every list is inserted in the order it should be shown.
-- Lives are TEXT written exactly as the calculators compare them: "5",
-- "27.5", never "5.0".

CREATE TABLE Version (
    version INTEGER NOT NULL
);
INSERT INTO Version (version) VALUES (1);

-- Tax and book method names. Only these texts select a calculator; any
-- other text in an asset row gets no depreciation.
-- Both lists share one table. The tax list is the longer one, so the
-- rows after the last book method carry NULL in [Method-Book]; the book
-- method picker skips NULL and empty entries.
CREATE TABLE Methods (
    [Method-Tax] TEXT,
    [Method-Book] TEXT
);
INSERT INTO Methods ([Method-Tax], [Method-Book]) VALUES
    ('MACRS', 'SL - Book'),
    ('MACRS-150%', 'DDB125%'),
    ('MACRS-Auto', 'DDB150%'),
    ('MACRS SL-PP', 'DDB200%'),
    ('MACRS SL-RP', 'Amortization'),
    ('ACRS', 'Non-Depreciable'),
    ('SL-Old', NULL),
    ('DDB125%-Old', NULL),
    ('DDB150%-Old', NULL),
    ('DDB200%-Old', NULL),
    ('Amortization', NULL),
    ('Non-Depreciable', NULL);

-- "MACRS": the 200 % classes (15 and 20 years at 150 %) with the half-year
-- and mid-quarter tables, and the mid-month real-property tables.
CREATE TABLE MACRSLFS (
    MACRSLF TEXT NOT NULL
);
INSERT INTO MACRSLFS (MACRSLF) VALUES
    ('3'), ('5'), ('7'), ('10'), ('15'), ('20'),
    ('27.5'), ('31.5'), ('39');

-- "MACRS-150%": the 150 % election tables exist for these classes only.
CREATE TABLE MACRS150LFS (
    MACRS150LF TEXT NOT NULL
);
INSERT INTO MACRS150LFS (MACRS150LF) VALUES
    ('3'), ('5'), ('7'), ('10');

-- "MACRS-Auto": passenger automobiles, trucks and vans are 5-year
-- property; the automobile calculator always uses the 5-year rates.
CREATE TABLE MACRSALFS (
    MACRSALF TEXT NOT NULL
);
INSERT INTO MACRSALFS (MACRSALF) VALUES ('5');

-- "ACRS": 3-, 5- and 10-year personal property; 15-, 18- and 19-year
-- real property.
CREATE TABLE ACRSLFS (
    ACRSLF TEXT NOT NULL
);
INSERT INTO ACRSLFS (ACRSLF) VALUES
    ('3'), ('5'), ('10'), ('15'), ('18'), ('19');

-- "MACRS SL-PP": straight line over the recovery period with the half-year
-- or mid-quarter convention. Whole years only: the year after the period
-- takes the balance left by the first year's part, which a half-year
-- period such as 9.5 would not leave.
CREATE TABLE TPPSLLFS (
    [SL-Personal Prop] TEXT NOT NULL
);
INSERT INTO TPPSLLFS ([SL-Personal Prop]) VALUES
    ('3'), ('4'), ('5'), ('6'), ('7'), ('8'), ('9'), ('10'),
    ('12'), ('15'), ('20'), ('25');

-- "MACRS SL-RP": the 40-year mid-month table; the calculator fixes the
-- period itself.
CREATE TABLE TRPSLLFS (
    [SL-Real Prop] TEXT NOT NULL
);
INSERT INTO TRPSLLFS ([SL-Real Prop]) VALUES ('40');

-- "Amortization", tax and book: the period in MONTHS, not years.
-- 36: off-the-shelf computer software; 60: start-up and organizational
-- costs under the older rules; 180: Section 197 intangibles and start-up
-- costs; the others for loan costs and contract rights over their terms.
CREATE TABLE AMLFS (
    AMLF TEXT NOT NULL
);
INSERT INTO AMLFS (AMLF) VALUES
    ('12'), ('24'), ('36'), ('48'), ('60'), ('72'), ('84'), ('96'),
    ('120'), ('180'), ('240'), ('360');

-- "Non-Depreciable" (tax and book) and "Units Of Prod.": the life is never
-- read; one entry so that the life field can be filled.
CREATE TABLE NDLFS (
    NDLF TEXT NOT NULL
);
INSERT INTO NDLFS (NDLF) VALUES ('0');

-- "SL-Old" (tax) and "SL - Book" (book), in years. 27.5 and 31.5 let the
-- book side follow a building's tax period; the old-law tax straight line
-- counts whole years and should be given a whole life.
CREATE TABLE SLLFS (
    [SL - Book] TEXT NOT NULL
);
INSERT INTO SLLFS ([SL - Book]) VALUES
    ('2'), ('3'), ('4'), ('5'), ('6'), ('7'), ('8'), ('9'), ('10'),
    ('11'), ('12'), ('13'), ('14'), ('15'), ('16'), ('17'), ('18'),
    ('19'), ('20'), ('21'), ('22'), ('23'), ('24'), ('25'), ('26'),
    ('27'), ('27.5'), ('28'), ('29'), ('30'), ('31'), ('31.5'), ('32'),
    ('33'), ('34'), ('35'), ('36'), ('37'), ('38'), ('39'), ('40'),
    ('45'), ('50'), ('60');

-- "DDB125%-Old", "DDB150%-Old", "DDB200%-Old" (tax) and "DDB125%",
-- "DDB150%", "DDB200%" (book), in years.
CREATE TABLE DDBLFS (
    DDB TEXT NOT NULL
);
INSERT INTO DDBLFS (DDB) VALUES
    ('3'), ('4'), ('5'), ('6'), ('7'), ('8'), ('9'), ('10'),
    ('11'), ('12'), ('13'), ('14'), ('15'), ('16'), ('17'), ('18'),
    ('19'), ('20'), ('25'), ('30'), ('35'), ('40'), ('45'), ('50');
