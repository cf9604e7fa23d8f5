#!/usr/bin/env bash
# End to end: starts trajel under a real X server (Xvfb), drives it with synthetic X
# input (xdotool) as a user would, and checks the screen's pixels.
# Usage: bout_en_bout.sh PATH/TO/trajel
set -euo pipefail
programme=$(readlink -f "$1")
travail=$(mktemp -d)
trap 'kill $pid_x $pid_trajel 2>/dev/null || true; rm -rf "$travail"' EXIT
pid_x=""; pid_trajel=""
echecs=0; reussites=0
verifier() { # description, command...
    local description=$1; shift
    if "$@"; then reussites=$((reussites + 1)); echo "ok   - $description"
    else echecs=$((echecs + 1)); echo "FAIL - $description"; fi
}

numero=99
while [ -e /tmp/.X11-unix/X$numero ] || [ -e /tmp/.X$numero-lock ]; do numero=$((numero + 1)); done
export DISPLAY=:$numero
Xvfb "$DISPLAY" -screen 0 1280x800x24 -dpi 96 -nolisten tcp >"$travail/xvfb.log" 2>&1 &
pid_x=$!
# A fresh machine can be slow to bring the server up: up to 30 s, while it lives.
pret=false
for _ in $(seq 300); do
    kill -0 "$pid_x" 2>/dev/null || { echo "FAIL - Xvfb ended"; cat "$travail/xvfb.log"; exit 1; }
    xdpyinfo >/dev/null 2>&1 && { pret=true; break; }
    sleep 0.1
done
$pret || { echo "FAIL - the X server did not answer within 30 s"; cat "$travail/xvfb.log"; exit 1; }
unset QT_QPA_PLATFORM

"$programme" >"$travail/trajel.log" 2>&1 &
pid_trajel=$!
fenetre=""
for _ in $(seq 300); do
    fenetre=$(xdotool search --name "^Calcul d'orbite$" 2>/dev/null | head -n 1 || true)
    [ -n "$fenetre" ] && break
    kill -0 "$pid_trajel" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$fenetre" ]; then
    echo "FAIL - the main window did not appear within 30 s"
    kill -0 "$pid_trajel" 2>/dev/null || echo "trajel ended; its output:"
    cat "$travail/trajel.log"
    exit 1
fi
sleep 1
eval "$(xdotool getwindowgeometry --shell "$fenetre")" # X, Y of the client area
ox=$X; oy=$Y

# TRAJEL_CAPTURES=folder keeps the screenshots, to look at them.
capture() {
    import -window root "$travail/$1.png"
    if [ -n "${TRAJEL_CAPTURES:-}" ]; then mkdir -p "$TRAJEL_CAPTURES"; cp "$travail/$1.png" "$TRAJEL_CAPTURES/"; fi
}
pixel() { convert "$travail/$1.png" -format "%[hex:p{$2,$3}]" info:; }
# The menu bar's height: the first white row of Picture1 lies 10 pixels below it.
capture depart
for y in $(seq 0 80); do
    [ "$(pixel depart $((ox + 100)) $((oy + y)))" = "FFFFFF" ] && { barre=$((y - 10)); break; }
done
echo "menu bar: ${barre} px"
# Client coordinates of a design position (twips) in the central area.
cx() { echo $((ox + $1 / 15)); }
cy() { echo $((oy + barre + $1 / 15)); }
cliquer() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }

# The picture: 689 x 577 pixels from (240, 120) twips, drawing area inside its border.
zone="685x573+$(($(cx 240) + 2))+$(($(cy 120) + 2))"
compter() { convert "$travail/$1.png" -crop "$zone" +repage txt:- | grep -ci "$2" || true; }
# Pixels of the picture that differ between two captures.
difference() {
    convert "$travail/$1.png" -crop "$zone" +repage "$travail/a.png"
    convert "$travail/$2.png" -crop "$zone" +repage "$travail/b.png"
    compare -metric AE -fuzz 0 "$travail/a.png" "$travail/b.png" null: 2>&1 | cut -d' ' -f1 || true
}
centre_x=$(($(cx 240) + 2 + 5167 / 15)); centre_y=$(($(cy 120) + 2 + 4327 / 15))

rouges_depart=$(compter depart "#FF0000")
verifier "the orbit's light red is drawn ($rouges_depart pixels)" test "$rouges_depart" -gt 200
# The lines are antialiased: a thin black line leaves dark pixels, not always pure
# black ones. Near black: within 25 % of black (darker than #404040); the blue and
# green of the frames (0, 0, 128) and (0, 128, 0) stay outside.
noirs_contour=0
for angle in $(seq 0 10 350); do
    read -r px py < <(awk -v a="$angle" -v cx="$centre_x" -v cy="$centre_y" \
        'BEGIN { r = 3618 * 0.5409375 / 15; printf "%d %d\n", cx + r * cos(a * 3.14159265 / 180), cy - r * sin(a * 3.14159265 / 180) }')
    convert "$travail/depart.png" -crop 5x5+$((px - 2))+$((py - 2)) +repage \
        -fuzz 25% -fill "#000000" -opaque "#000000" txt:- | grep -qi "#000000" &&
        noirs_contour=$((noirs_contour + 1))
done
verifier "the Earth's black outline surrounds the centre ($noirs_contour of 36 directions)" test "$noirs_contour" -ge 30

# Typing an inclination into Text4 turns the orbit.
Text4_x=$(($(cx 11160) + 240 / 15 + 20)); Text4_y=$(($(cy 0) + 2160 / 15 + 9))
cliquer "$Text4_x" "$Text4_y"
xdotool key ctrl+a type --delay 50 "60"
sleep 0.5
capture inclinaison
rouges_inclinaison=$(compter inclinaison "#FF0000")
difference=$(difference depart inclinaison)
verifier "the inclination changed the picture ($difference pixels differ)" test "$difference" -gt 100
verifier "the orbit is still drawn in light red ($rouges_inclinaison pixels)" test "$rouges_inclinaison" -gt 200

# A thrust along the track, then "Tir !".
Text8_x=$(($(cx 11160) + 120 / 15 + 20)); Text8_y=$(($(cy 3360) + 480 / 15 + 9))
cliquer "$Text8_x" "$Text8_y"
xdotool key ctrl+a type --delay 50 "20000"
tir_x=$(($(cx 11160) + 2280 / 15 + 20)); tir_y=$(($(cy 4560) + 360 / 15 + 12))
cliquer "$tir_x" "$tir_y"
sleep 0.5
capture tir
difference=$(difference inclinaison tir)
verifier "the burn changed the picture ($difference pixels differ)" test "$difference" -gt 100
verifier "trajel still runs after the burn" kill -0 "$pid_trajel"

# The about box opens from "A propos" / "Abstract" and closes with Escape: the menu
# bar is walked from "Au menu" to its last menu, "A propos".
cliquer $((ox + 30)) $((oy + barre / 2))
xdotool key Right Right Down Return
sleep 1
apropos=$(xdotool search --name "^About Trajel$" 2>/dev/null | head -n 1 || true)
verifier "the about box appears" test -n "$apropos"
capture apropos
if [ -n "$apropos" ]; then
    xdotool windowactivate --sync "$apropos" 2>/dev/null || xdotool windowfocus "$apropos"
    xdotool key Escape
    sleep 0.7
fi
verifier "the about box is gone after Escape" test -z "$(xdotool search --name '^About Trajel$' 2>/dev/null || true)"

# A preset from the menu: "Au menu" / "Orbites de départ" / KOUROU / "GTO Ariane IV".
capture avant_preset
cliquer $((ox + 30)) $((oy + barre / 2))
xdotool key Down Right Right Down Return
sleep 1
capture preset
difference=$(difference avant_preset preset)
verifier "the preset redrew the picture ($difference pixels differ)" test "$difference" -gt 100

# Dragging on the picture turns the view; the wheel zooms.
xdotool mousemove "$centre_x" "$centre_y" mousedown 1
for pas in $(seq 1 20); do xdotool mousemove "$((centre_x + 3 * pas))" "$((centre_y + pas))"; sleep 0.02; done
xdotool mouseup 1
sleep 0.5
capture glisse
difference=$(difference preset glisse)
verifier "a drag on the picture turned the view ($difference pixels differ)" test "$difference" -gt 100
xdotool mousemove "$centre_x" "$centre_y" click 4
sleep 0.5
capture molette
difference=$(difference glisse molette)
verifier "the wheel zoomed the picture ($difference pixels differ)" test "$difference" -gt 100

# F11 opens the large view; it shows the orbit, larger.
xdotool key F11
vue=""
for _ in $(seq 30); do
    vue=$(xdotool search --name "^Vue agrandie" 2>/dev/null | head -n 1 || true)
    [ -n "$vue" ] && break
    sleep 0.1
done
verifier "F11 opens the large view" test -n "$vue"
if [ -n "$vue" ]; then
    sleep 0.7
    capture vue
    eval "$(xdotool getwindowgeometry --shell "$vue")"
    rouges_vue=$(convert "$travail/vue.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage \
        -fuzz 20% -fill "#FF0000" -opaque "#FF0000" txt:- | grep -ci "#FF0000" || true)
    rouges_image=$(compter molette "#FF0000")
    verifier "the large view shows more of the orbit's red ($rouges_vue against $rouges_image)" \
        test "$rouges_vue" -gt "$rouges_image"
    xdotool windowactivate --sync "$vue" 2>/dev/null || xdotool windowfocus "$vue"
    xdotool key ctrl+w
    sleep 0.5
    verifier "the large view closes" test -z "$(xdotool search --name '^Vue agrandie' 2>/dev/null || true)"
fi

verifier "trajel still runs" kill -0 "$pid_trajel"
verifier "the main window answers" xdotool getwindowname "$fenetre"

echo "$reussites passed, $echecs failed"
[ "$echecs" -eq 0 ] || { echo "trajel's output:"; cat "$travail/trajel.log"; }
[ "$echecs" -eq 0 ]
