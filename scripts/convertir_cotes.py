#!/usr/bin/env python3
"""Converts GSHHG's crude shorelines, as Debian packages them (gmt-gshhg-low, read with
netcdf-bin's ncdump), into the coastline file of Trajel's resources (data/cotes.txt).

Run once, by hand; the file it writes is committed, the build never runs this:
    apt-get install gmt-gshhg-low netcdf-bin
    python3 scripts/convertir_cotes.py [/usr/share/gmt-gshhg/binned_GSHHS_c.nc] [data/cotes.txt]

The binned file cuts every shoreline into pieces, one for each 20-degree bin it crosses;
each piece is kept as one line of the map (the bins' edges are not coast, so nothing is
lost by leaving them apart). Only the shorelines between land and sea (level 1) and the
Antarctic ice front are kept, pieces of polygons below 5000 km2 are left out, and each
piece is thinned by Douglas-Peucker to 0.25 degree, which leaves a few thousand points.
"""
import math
import re
import subprocess
import sys

SOURCE = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/gmt-gshhg/binned_GSHHS_c.nc"
CIBLE = sys.argv[2] if len(sys.argv) > 2 else "data/cotes.txt"
AIRE_MINIMALE = 5000.0  # km2
TOLERANCE = 0.25  # degrees

VARIABLES = [
    "Bin_size_in_minutes", "N_bins_in_360_longitude_range", "Id_of_first_segment_in_a_bin",
    "N_segments_in_a_bin", "Embedded_npts_levels_exit_entry_for_a_segment",
    "Id_of_first_point_in_a_segment", "Id_of_GSHHS_ID", "The_km_squared_area_of_polygons",
    "Relative_longitude_from_SW_corner_of_bin", "Relative_latitude_from_SW_corner_of_bin",
]


def lire(chemin):
    texte = subprocess.run(["ncdump", "-v", ",".join(VARIABLES), chemin], check=True,
                           capture_output=True, text=True).stdout
    donnees = texte.split("\ndata:", 1)[1]
    valeurs = {}
    for nom, corps in re.findall(r"(\w+) =([^;]*);", donnees):
        valeurs[nom] = [float(v) for v in corps.replace("\n", " ").split(",")]
    return valeurs


def douglas_peucker(points, tolerance):
    if len(points) < 3:
        return points
    (x1, y1), (x2, y2) = points[0], points[-1]
    dx, dy = x2 - x1, y2 - y1
    longueur = math.hypot(dx, dy)
    pire, indice = -1.0, 0
    for i in range(1, len(points) - 1):
        x, y = points[i]
        if longueur == 0.0:
            d = math.hypot(x - x1, y - y1)
        else:
            d = abs(dy * (x - x1) - dx * (y - y1)) / longueur
        if d > pire:
            pire, indice = d, i
    if pire <= tolerance:
        return [points[0], points[-1]]
    gauche = douglas_peucker(points[: indice + 1], tolerance)
    return gauche[:-1] + douglas_peucker(points[indice:], tolerance)


def main():
    v = lire(SOURCE)
    taille = v["Bin_size_in_minutes"][0] / 60.0  # degrees
    colonnes = int(v["N_bins_in_360_longitude_range"][0])
    aires = v["The_km_squared_area_of_polygons"]
    lignes = []
    for b, (premier, n) in enumerate(zip(v["Id_of_first_segment_in_a_bin"],
                                         v["N_segments_in_a_bin"])):
        # Bins run eastwards from longitude 0, in rows from the north pole down.
        ouest = (b % colonnes) * taille
        sud = 90.0 - (b // colonnes + 1) * taille
        if ouest >= 180.0:
            ouest -= 360.0  # the map's longitudes, -180..180
        for s in range(int(premier), int(premier + n)):
            info = int(v["Embedded_npts_levels_exit_entry_for_a_segment"][s])
            npts, niveau = info >> 9, (info >> 6) & 7
            if niveau not in (1, 5) or aires[int(v["Id_of_GSHHS_ID"][s])] < AIRE_MINIMALE:
                continue
            debut = int(v["Id_of_first_point_in_a_segment"][s])
            points = []
            for k in range(debut, debut + npts):
                dx = int(v["Relative_longitude_from_SW_corner_of_bin"][k]) & 0xFFFF
                dy = int(v["Relative_latitude_from_SW_corner_of_bin"][k]) & 0xFFFF
                points.append((ouest + dx * taille / 65535.0, sud + dy * taille / 65535.0))
            points = douglas_peucker(points, TOLERANCE)
            if len(points) >= 2:
                lignes.append(points)
    total = sum(len(l) for l in lignes)
    with open(CIBLE, "w", encoding="ascii") as f:
        f.write("# Coastlines: GSHHG 2.3.7 crude (c) shorelines, P. Wessel and W. H. F. Smith,\n")
        f.write("# LGPL-3+, from Debian's gmt-gshhg-low; converted by scripts/convertir_cotes.py.\n")
        f.write("# One line of the map a block: '>' then longitude latitude (degrees) a line.\n")
        f.write(f"# {len(lignes)} lines, {total} points\n")
        for l in lignes:
            f.write(">\n")
            for x, y in l:
                f.write(f"{x:.2f} {y:.2f}\n")
    print(f"{len(lignes)} lines, {total} points -> {CIBLE}")


main()
