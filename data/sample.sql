-- Sample company shipped in the company database: a calendar-year machine
-- shop about to depreciate its 2012 tax year. Its assets use every tax and
-- every book method, each with a life from the catalogue.
-- Opening balances ("Prior Accumulated Dprn") are the depreciation of the
-- years before 2012, worked from the IRS tables and the method's rule.
-- The current amounts are 0, but for the one typed over by the user, and
-- every asset is flagged changed, so the first run computes them all.
-- The columns the run derives (PostSecBasis, Post30%DeductionBasis,
-- Cost Less ITC Adj, Non Bus Dprn, Line24eBasis) are left empty.
-- 2012 additions: Section 179 112,800 in total (within the year's limit);
-- 50 % bonus on new property only; none placed in the fourth quarter, so
-- the year is a half-year year.

INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book, [Mid Qrt YR Tax])
VALUES (1, 'Riverside Machine Works, Inc.', '2012-12-31', 1, 1, 0);

INSERT INTO groups (groupname) VALUES
    ('Buildings'),
    ('Computers'),
    ('Furniture & Fixtures'),
    ('Intangibles'),
    ('Land'),
    ('Land Improvements'),
    ('Leasehold Improvements'),
    ('Machinery & Equipment'),
    ('Vehicles');

-- Plant site land, 1400 River Road (6.2 acres): land is not depreciated.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Land', 'Plant site land, 1400 River Road (6.2 acres)',
    '1978-06-15', '1978-12-31', NULL,
    'Non-Depreciable', '0', '', 185000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 0.00,
    0.00, 0.00, 0,
    'Non-Depreciable', '0', 185000.00,
    0.00, 1.00,
    0.00, 0.00, 0,
    0, 0, 0, 1);

-- Main plant building, 1400 River Road: pre-1981 new building at 150 %
-- declining balance; tax: 1978-2011 at 1.5/40 of the balance, straight line
-- over the remaining months once larger; book: 7/12 + 33 years of 15,500.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Main plant building, 1400 River Road',
    '1978-06-15', '1978-12-31', NULL,
    'DDB150%-Old', '40', '', 620000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 530375.43,
    0.00, 0.00, 0,
    'SL - Book', '40', 620000.00,
    0.00, 1.00,
    520541.67, 0.00, 0,
    0, 0, 0, 1);

-- Apartment building, 30 Mill Street (bought used): used residential
-- property at 125 % declining balance; both sides fully depreciated in
-- 2011.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Apartment building, 30 Mill Street (bought used)',
    '1976-04-01', '1976-12-31', NULL,
    'DDB125%-Old', '35', '', 210000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 210000.00,
    0.00, 0.00, 0,
    'SL - Book', '35', 210000.00,
    0.00, 1.00,
    210000.00, 0.00, 0,
    0, 0, 0, 1);

-- Warehouse, 1410 River Road: old-law straight line after salvage: 8,000 a
-- year, 4/12 in 1980 (placed after mid-month), 31 full years to 2011.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Warehouse, 1410 River Road',
    '1980-08-18', '1980-12-31', NULL,
    'SL-Old', '35', '', 295000.00,
    0.00, 15000.00, 1.00,
    0.00, 0.00, 250666.67,
    0.00, 0.00, 0,
    'SL - Book', '35', 295000.00,
    15000.00, 1.00,
    250666.67, 0.00, 0,
    0, 0, 0, 1);

-- Assembly bay addition to main plant: 19-year ACRS real property, fully
-- recovered after 20 years; book 4/12 + 26 years of 10,857.14.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Assembly bay addition to main plant',
    '1985-09-10', '1985-12-31', NULL,
    'ACRS', '19', '', 380000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 380000.00,
    0.00, 0.00, 0,
    'SL - Book', '35', 380000.00,
    0.00, 1.00,
    285904.69, 0.00, 0,
    0, 0, 0, 1);

-- Heat-treat building: 31.5-year table, February: 2.778 %, 6 x 3.175 %,
-- 3.174 %, then 7 x 3.175 % + 7 x 3.174 % = 69.445 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Heat-treat building',
    '1990-02-12', '1990-12-31', NULL,
    'MACRS', '31.5', '', 340000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 236113.00,
    0.00, 0.00, 0,
    'SL - Book', '40', 340000.00,
    0.00, 1.00,
    186291.67, 0.00, 0,
    0, 0, 0, 1);

-- Rental duplex, 22 Mill Street: 27.5-year table, July: 1.667 % + 8 x 3.636
-- % = 30.755 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Rental duplex, 22 Mill Street',
    '2003-07-01', '2003-12-31', NULL,
    'MACRS', '27.5', '', 265000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 81500.75,
    0.00, 0.00, 0,
    'SL - Book', '27.5', 265000.00,
    0.00, 1.00,
    81909.06, 0.00, 0,
    0, 0, 0, 1);

-- Office and engineering building: 39-year table, March: 2.033 % + 6 x
-- 2.564 % = 17.417 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Office and engineering building',
    '2005-03-21', '2005-12-31', NULL,
    'MACRS', '39', '', 875000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 152398.75,
    0.00, 0.00, 0,
    'SL - Book', '39', 875000.00,
    0.00, 1.00,
    151442.32, 0.00, 0,
    0, 0, 0, 1);

-- Shipping and receiving dock building: 40-year straight line, October:
-- 0.521 % + 3 x 2.5 % = 8.021 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Buildings', 'Shipping and receiving dock building',
    '2008-10-06', '2008-12-31', NULL,
    'MACRS SL-RP', '40', '', 410000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 32886.10,
    0.00, 0.00, 0,
    'SL - Book', '40', 410000.00,
    0.00, 1.00,
    33312.50, 0.00, 0,
    0, 0, 0, 1);

-- Parking lot paving and lighting: 15-year half-year table: 5.00 + 9.50 +
-- 8.55 + 7.70 + 6.93 + 6.23 = 43.91 %; book 125 % declining balance over 20
-- years.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Land Improvements', 'Parking lot paving and lighting',
    '2006-08-14', '2006-12-31', NULL,
    'MACRS', '15', '', 86000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 37762.60,
    0.00, 0.00, 0,
    'DDB125%', '20', 86000.00,
    0.00, 1.00,
    25449.14, 0.00, 0,
    0, 0, 0, 1);

-- Sales office build-out, 210 Main Street (leased): qualified leasehold
-- improvement, 15-year straight line, half-year: 2,400 + 4 x 4,800; book
-- over the 10-year lease.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Leasehold Improvements', 'Sales office build-out, 210 Main Street (leased)',
    '2007-05-14', '2007-12-31', NULL,
    'MACRS SL-PP', '15', '', 72000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 21600.00,
    0.00, 0.00, 0,
    'SL - Book', '10', 72000.00,
    0.00, 1.00,
    33600.00, 0.00, 0,
    0, 0, 0, 1);

-- Automatic screw machine, Brown & Sharpe No. 2: pre-1981 200 % declining
-- balance, fully depreciated.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Automatic screw machine, Brown & Sharpe No. 2',
    '1975-05-12', '1975-12-31', NULL,
    'DDB200%-Old', '12', '', 46500.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 46500.00,
    0.00, 0.00, 0,
    'SL - Book', '12', 46500.00,
    4500.00, 1.00,
    42000.00, 0.00, 0,
    0, 0, 0, 1);

-- Press brake, 175-ton hydraulic: 5-year ACRS on cost less half the 10 %
-- investment credit, fully recovered.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Press brake, 175-ton hydraulic',
    '1984-04-09', '1984-12-31', NULL,
    'ACRS', '5', '', 48000.00,
    2400.00, 0.00, 1.00,
    0.00, 0.00, 45600.00,
    0.00, 0.00, 0,
    'SL - Book', '10', 48000.00,
    3000.00, 1.00,
    45000.00, 0.00, 0,
    0, 0, 0, 1);

-- Manual engine lathe, 13-inch (sold June 2012): 7-year half-year table
-- years 1-6: 86.61 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Manual engine lathe, 13-inch (sold June 2012)',
    '2006-04-03', '2006-12-31', '2012-06-29',
    'MACRS', '7', '', 32000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 27715.20,
    0.00, 0.00, 0,
    'SL - Book', '10', 32000.00,
    2000.00, 1.00,
    17250.00, 0.00, 0,
    0, 0, 0, 1);

-- Spray paint booth (rebuilt after 2011 fire): years 1-5 of the 7-year
-- table: 77.69 %; the 2012 tax amount is typed from the adjusted-basis
-- schedule after the casualty.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Spray paint booth (rebuilt after 2011 fire)',
    '2007-06-11', '2007-12-31', NULL,
    'MACRS', '7', '', 64000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 49721.60,
    4012.50, 0.00, 1,
    'SL - Book', '10', 64000.00,
    4000.00, 1.00,
    27500.00, 0.00, 0,
    0, 0, 0, 1);

-- Forklift, 5,000 lb LP gas: 7-year half-year table years 1-5: 77.69 %.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Forklift, 5,000 lb LP gas',
    '2007-09-17', '2007-12-31', NULL,
    'MACRS', '7', '', 26500.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 20587.85,
    0.00, 0.00, 0,
    'SL - Book', '7', 26500.00,
    2500.00, 1.00,
    14571.42, 0.00, 0,
    0, 0, 0, 1);

-- Coordinate measuring machine: 2009 was a mid-quarter year (all of its
-- personal property came in the fourth quarter): 50 % bonus, then 3.57 +
-- 27.55 + 19.68 % of 42,000.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Coordinate measuring machine',
    '2009-11-09', '2009-12-31', NULL,
    'MACRS', '7', '4', 84000.00,
    0.00, 0.00, 1.00,
    0.00, 42000.00, 63336.00,
    0.00, 0.00, 0,
    'SL - Book', '10', 84000.00,
    4000.00, 1.00,
    17333.33, 0.00, 0,
    0, 0, 0, 1);

-- Robotic MIG welding cell: 50 % bonus, then 14.29 + 24.49 % of 48,000.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Robotic MIG welding cell',
    '2010-05-10', '2010-12-31', NULL,
    'MACRS', '7', '', 96000.00,
    0.00, 0.00, 1.00,
    0.00, 48000.00, 66614.40,
    0.00, 0.00, 0,
    'SL - Book', '10', 96000.00,
    6000.00, 1.00,
    15000.00, 0.00, 0,
    0, 0, 0, 1);

-- Surface grinder, 12 x 24 in.: elected out of bonus, 150 % table year 1:
-- 10.71 %; book 1.5/10 x 7/12.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Surface grinder, 12 x 24 in.',
    '2011-06-13', '2011-12-31', NULL,
    'MACRS-150%', '7', '', 38500.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 4123.35,
    0.00, 0.00, 0,
    'DDB150%', '10', 38500.00,
    0.00, 1.00,
    3368.75, 0.00, 0,
    0, 0, 0, 1);

-- CNC vertical machining center: new in 2012: Section 179 60,000, 50 %
-- bonus on the remaining 82,500.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'CNC vertical machining center',
    '2012-04-16', '2012-12-31', NULL,
    'MACRS', '7', '', 142500.00,
    0.00, 0.00, 1.00,
    60000.00, 41250.00, 0.00,
    0.00, 0.00, 0,
    'DDB200%', '10', 142500.00,
    0.00, 1.00,
    0.00, 0.00, 0,
    0, 0, 0, 1);

-- CNC turning center with bar feeder: new in 2012: Section 179 40,000, 50 %
-- bonus on the remaining 149,000.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'CNC turning center with bar feeder',
    '2012-08-06', '2012-12-31', NULL,
    'MACRS', '7', '', 189000.00,
    0.00, 0.00, 1.00,
    40000.00, 74500.00, 0.00,
    0.00, 0.00, 0,
    'SL - Book', '10', 189000.00,
    15000.00, 1.00,
    0.00, 0.00, 0,
    0, 0, 0, 1);

-- Rotary screw air compressor, 50 hp: new in 2012: 50 % bonus.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Machinery & Equipment', 'Rotary screw air compressor, 50 hp',
    '2012-02-20', '2012-12-31', NULL,
    'MACRS', '7', '', 28400.00,
    0.00, 0.00, 1.00,
    0.00, 14200.00, 0.00,
    0.00, 0.00, 0,
    'DDB150%', '10', 28400.00,
    0.00, 1.00,
    0.00, 0.00, 0,
    0, 0, 0, 1);

-- 2010 Ford Transit Connect cargo van: 2010 truck and van limit 11,160
-- taken as bonus in year 1; year 2: 32 % of 13,440 = 4,300.80 (under the
-- 5,100 limit).
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Vehicles', '2010 Ford Transit Connect cargo van',
    '2010-06-14', '2010-12-31', NULL,
    'MACRS-Auto', '5', '', 24600.00,
    0.00, 0.00, 1.00,
    0.00, 11160.00, 15460.80,
    0.00, 0.00, 0,
    'SL - Book', '5', 24600.00,
    5000.00, 1.00,
    6206.67, 0.00, 0,
    0, 1, 1, 1);

-- 2011 Ford F-250 pickup (50% personal use): listed property used half for
-- business: straight line on 19,450, half a year in 2011; the other half
-- went to non-business.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Vehicles', '2011 Ford F-250 pickup (50% personal use)',
    '2011-07-11', '2011-12-31', NULL,
    'MACRS SL-PP', '5', '', 38900.00,
    0.00, 0.00, 0.50,
    0.00, 0.00, 1945.00,
    0.00, 1945.00, 0,
    'SL - Book', '5', 38900.00,
    8000.00, 1.00,
    3090.00, 0.00, 0,
    1, 0, 0, 1);

-- 2012 Chevrolet Malibu (sales manager): new in 2012, 80 % business use;
-- the bonus proposed on the business cost is cut to the first-year limit by
-- the run.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Vehicles', '2012 Chevrolet Malibu (sales manager)',
    '2012-05-21', '2012-12-31', NULL,
    'MACRS-Auto', '5', '', 29850.00,
    0.00, 0.00, 0.80,
    0.00, 11940.00, 0.00,
    0.00, 0.00, 0,
    'SL - Book', '5', 29850.00,
    8000.00, 1.00,
    0.00, 0.00, 0,
    0, 1, 0, 1);

-- Engineering office workstations and cubicles: elected straight line, half
-- a year in 2011.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Furniture & Fixtures', 'Engineering office workstations and cubicles',
    '2011-09-06', '2011-12-31', NULL,
    'MACRS SL-PP', '7', '', 44200.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 3157.14,
    0.00, 0.00, 0,
    'SL - Book', '7', 44200.00,
    0.00, 1.00,
    2104.76, 0.00, 0,
    0, 0, 0, 1);

-- CAD/CAM workstations (6): 50 % bonus, then 20 + 32 + 19.2 + 11.52 % of
-- 27,000; book fully depreciated over 3 years.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Computers', 'CAD/CAM workstations (6)',
    '2008-05-05', '2008-12-31', NULL,
    'MACRS', '5', '', 54000.00,
    0.00, 0.00, 1.00,
    0.00, 27000.00, 49334.40,
    0.00, 0.00, 0,
    'SL - Book', '3', 54000.00,
    0.00, 1.00,
    54000.00, 0.00, 0,
    0, 0, 0, 1);

-- File server and network switches: new in 2012, expensed in full under
-- Section 179.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Computers', 'File server and network switches',
    '2012-03-12', '2012-12-31', NULL,
    'MACRS', '5', '', 12800.00,
    0.00, 0.00, 1.00,
    12800.00, 0.00, 0.00,
    0.00, 0.00, 0,
    'DDB200%', '5', 12800.00,
    0.00, 1.00,
    0.00, 0.00, 0,
    0, 0, 0, 1);

-- ERP software license, 25 users: off-the-shelf software over 36 months: 12
-- months of 1,700 in 2011.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Intangibles', 'ERP software license, 25 users',
    '2011-01-10', '2011-12-31', NULL,
    'Amortization', '36', '', 61200.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 20400.00,
    0.00, 0.00, 0,
    'Amortization', '36', 61200.00,
    0.00, 1.00,
    20400.00, 0.00, 0,
    0, 0, 0, 1);

-- Customer list, Delta Gear Co. acquisition: Section 197 intangible over
-- 180 months: 6 months in 2009, then 10,000 a year; book over 120 months.
INSERT INTO assets (companynumber, groupname, [Asset Description],
    [Date Placed in Service], YRPIS, [Date Disposed],
    [Dprn Method - Tax], [Dprn Life - Tax], MidQrtAsset, [Asset Cost - Tax],
    [ITC Basis Adjustment], [Salvage Value - Tax], [Business Use Percentage - Tax],
    SecOneSevenNine, [FirstYR30%Deduction], [Prior Accumulated Dprn - Tax],
    [Current Dprn - Tax], [Prior Non Bus Accm Dprn], [Tax Dprn Override],
    [Dprn Method - Book], [Dprn Life - Book], [Asset Cost - Book],
    [Salvage Value - Book], [Business Use Percentage - Book],
    [Prior Accumulated Dprn - Book], [Current Dprn - Book], [Book Dprn Override],
    [Listed Property], [Passenger Automobile], [Truck & Van Bonus - Tax], assetchng)
VALUES (1, 'Intangibles', 'Customer list, Delta Gear Co. acquisition',
    '2009-07-01', '2009-12-31', NULL,
    'Amortization', '180', '', 150000.00,
    0.00, 0.00, 1.00,
    0.00, 0.00, 25000.00,
    0.00, 0.00, 0,
    'Amortization', '120', 150000.00,
    0.00, 1.00,
    37500.00, 0.00, 0,
    0, 0, 0, 1);
