-- The shipped database: built-in sheet types, the blank template and an
-- empty page. Lengths in twips (millimetres x 56.7, truncated).
CREATE TABLE ETIQ (
  nom TEXT NOT NULL UNIQUE,
  cols INTEGER NOT NULL,
  "rows" INTEGER NOT NULL,
  widthetiq INTEGER NOT NULL,
  heightetiq INTEGER NOT NULL,
  margehaut INTEGER NOT NULL,
  margebas INTEGER NOT NULL,
  margegauche INTEGER NOT NULL,
  margedroite INTEGER NOT NULL
);

CREATE TABLE MODELE (
  modele TEXT NOT NULL UNIQUE,
  type TEXT,
  backcolor INTEGER,
  impage LOGICAL,
  imptop INTEGER,
  impleft INTEGER,
  impheight INTEGER,
  impwidth INTEGER,
  xpixel INTEGER,
  ypixel INTEGER
);

CREATE TABLE PAGE (
  numetiq INTEGER,
  posx INTEGER,
  posy INTEGER,
  backcolor INTEGER,
  impage LOGICAL,
  imptop INTEGER,
  impleft INTEGER,
  impheight INTEGER,
  impwidth INTEGER,
  xpixel INTEGER,
  ypixel INTEGER
);

-- name, columns, rows, label width, label height, margins top, bottom, left, right
-- 3 x 8, 70 x 37.125 mm, no margins
INSERT INTO ETIQ VALUES ('3x8', 3, 8, 3969, 2104, 0, 0, 0, 0);
-- 5 x 13, 38.1 x 21.2 mm, margins 10.7 / 10.7 / 4.75 / 4.75 mm
INSERT INTO ETIQ VALUES ('AVERY65', 5, 13, 2160, 1202, 606, 606, 269, 269);
-- 6 x 16, 35 x 16.9 mm, margins 13.3 / 13.3 / 0 / 0 mm
INSERT INTO ETIQ VALUES ('6x16', 6, 16, 1984, 958, 754, 754, 0, 0);
-- 2 x 3, 105 x 99 mm, no margins
INSERT INTO ETIQ VALUES ('2x3', 2, 3, 5953, 5613, 0, 0, 0, 0);
-- 3 x 7, 63.5 x 38.1 mm, margins 15.15 / 15.15 / 7.25 / 7.25 mm
INSERT INTO ETIQ VALUES ('3x7 63.5x38.1', 3, 7, 3600, 2160, 859, 859, 411, 411);
-- 2 x 7, 99.1 x 38.1 mm, margins 15.15 / 15.15 / 4.65 / 4.65 mm
INSERT INTO ETIQ VALUES ('2x7 99.1x38.1', 2, 7, 5618, 2160, 859, 859, 263, 263);
-- 2 x 4, 105 x 74.25 mm, no margins
INSERT INTO ETIQ VALUES ('2x4', 2, 4, 5953, 4209, 0, 0, 0, 0);
-- 1 x 2, 210 x 148.5 mm, no margins (half sheets)
INSERT INTO ETIQ VALUES ('1x2', 1, 2, 11907, 8419, 0, 0, 0, 0);
-- 4 x 10, 48.5 x 25.4 mm, margins 21.5 / 21.5 / 8 / 8 mm
INSERT INTO ETIQ VALUES ('4x10 48.5x25.4', 4, 10, 2749, 1440, 1219, 1219, 453, 453);

INSERT INTO MODELE VALUES ('Effacer modèle', '3x8', 16777215, 0, 0, 0, 0, 0, 0, 0);
