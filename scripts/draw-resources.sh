#!/usr/bin/env bash
# Draws the editor's pictures into resources/images/ with ImageMagick: the tool-bar and
# menu glyphs (16 x 16 on the mask colour, bottom row left as mask), the map-editing
# cursors (32 x 32 on transparency), the start-position marks, the map tree's node images,
# the map pickers' scale buttons, the material manager's list glyphs, the wheel-panning
# cursors, the folder and program icons and the splash picture
# (its texts are set at run time in the machine's font). Run it after changing a picture
# and commit the files; the build only packs them (resources/resources.qrc).
set -euo pipefail
cd "$(dirname "$0")/../resources/images"

INK='#282830' PAPER='#fafaf0' BLUE='#3868c8' GREEN='#389648' RED='#c83830' YELLOW='#e8c440'
MASK='#ff00ff' GREY='#808080'
FONT=DejaVu-Sans-Bold

# The same bytes on every run: no time stamps in the files.
png() { # png <file> <size> <background> <drawing>...
  local file=$1 size=$2 background=$3
  shift 3
  convert -size "$size" "xc:$background" "$@" -define png:exclude-chunks=date,time,tIME \
    +set date:create +set date:modify "PNG32:$file"
}
glyph() { # glyph <name> <drawing>...
  local name=$1
  shift
  png "glyph_$name.png" 16x16 "$MASK" +antialias -strokewidth 1 -stroke "$INK" "$@"
}
letter() { # letter <text> <colour>: a bold letter in the middle of the cell
  printf '%s\n' -stroke none -fill "$2" -font "$FONT" -pointsize 9 -gravity center -annotate +0+1 "$1" \
    -gravity northwest
}
page() { printf '%s\n' -fill "$1" -draw "rectangle 3,1 13,14"; }
folder() { printf '%s\n' -fill "$YELLOW" -draw "rectangle 1,4 14,13" -draw "rectangle 1,2 6,4"; }
dotted() { # dotted <x0> <y0> <x1> <y1>: a rectangle's outline, every other pixel
  local points=""
  for ((x = $1; x <= $3; x += 2)); do points+=" point $x,$2 point $x,$4"; done
  for ((y = $2; y <= $4; y += 2)); do points+=" point $1,$y point $3,$y"; done
  printf '%s\n' -draw "fill '$INK' stroke none$points"
}
scale() { # scale <cells>: a sheet with its grid
  local step=$((12 / $1)) lines=()
  for ((i = 1; i < $1; i++)); do
    lines+=(-draw "line $((1 + i * step)),2 $((1 + i * step)),13" -draw "line 2,$((1 + i * step)) 13,$((1 + i * step))")
  done
  printf '%s\n' -fill "$PAPER" -draw "rectangle 1,1 14,14" -stroke "$GREY"
  [ ${#lines[@]} -eq 0 ] || printf '%s\n' "${lines[@]}"
}

# shellcheck disable=SC2046 # the helpers' words are drawing arguments
{
  IFS=$'\n'
  glyph project_new $(page "$PAPER") -stroke "$GREEN" -draw "line 10,3 10,7" -draw "line 8,5 12,5"
  glyph project_open $(folder) -draw "line 3,13 6,7"
  glyph project_close $(folder) -stroke "$RED" -strokewidth 2 -draw "line 5,6 11,12" \
    -draw "line 11,6 5,12"
  glyph project_pack -fill '#b48c60' -draw "rectangle 2,5 14,14" -draw "line 2,5 5,2" \
    -draw "line 14,5 11,2" -draw "line 5,2 11,2"
  glyph exit -fill '#966e46' -draw "rectangle 4,1 12,14" -draw "point 10,8"
  glyph map_save -fill "$BLUE" -draw "rectangle 1,1 14,14" -fill "$PAPER" \
    -draw "rectangle 4,1 11,6" -draw "rectangle 3,9 12,14"
  glyph map_revert -fill none -stroke "$BLUE" -strokewidth 2 -draw "arc 3,3 13,13 0,270" \
    -draw "line 8,3 5,1" -draw "line 8,3 5,5"
  glyph mode_lower -fill "$GREEN" -draw "rectangle 1,8 14,14" -fill none -draw "rectangle 3,2 12,7"
  glyph mode_upper -fill none -draw "rectangle 1,8 14,14" -fill "$GREEN" -draw "rectangle 3,2 12,7"
  glyph mode_event -fill "$PAPER" -draw "rectangle 1,1 14,14" $(letter E "$RED")
  glyph scale_1 $(scale 1)
  glyph scale_2 $(scale 2)
  glyph scale_4 $(scale 4)
  glyph scale_8 $(scale 6)
  glyph database -fill '#8ca0be' -draw "rectangle 2,3 13,13" -draw "ellipse 7.5,3 5.5,2 0,360" \
    -draw "ellipse 7.5,13 5.5,2 0,360"
  glyph material -fill "$PAPER" -draw "rectangle 1,2 14,13" -fill "$GREEN" \
    -draw "ellipse 5,7 2,2 0,360" -fill "$BLUE" -draw "rectangle 8,7 13,12"
  glyph select_music -fill "$INK" -draw "ellipse 4,11.5 2,1.5 0,360" \
    -draw "ellipse 11,9.5 2,1.5 0,360" -draw "line 6,11 6,2" -draw "line 13,9 13,1" \
    -draw "line 6,2 13,1"
  glyph test_play -fill "$GREEN" -draw "polygon 4,2 13,8 4,14"
  glyph full_screen -fill "$PAPER" -draw "rectangle 1,2 14,12" -fill "$BLUE" \
    -draw "rectangle 3,4 12,10" -draw "line 5,14 10,14"
  glyph show_title -fill "$PAPER" -draw "rectangle 1,2 14,12" $(letter T "$BLUE")
  glyph help_contents -fill "$BLUE" -draw "rectangle 2,1 13,14" $(letter '?' white)
  glyph help_about -fill "$PAPER" -draw "ellipse 7.5,7.5 6.5,6.5 0,360" $(letter i "$BLUE")
  glyph undo -fill none -stroke "$BLUE" -strokewidth 2 -draw "arc 3,4 13,13 180,360" \
    -draw "line 3,9 1,6" -draw "line 3,9 6,7"
  glyph tool_select $(dotted 2 2 13 13)
  glyph tool_zoom -fill "$PAPER" -draw "ellipse 5.5,5.5 4.5,4.5 0,360" -strokewidth 2 \
    -draw "line 9,9 13,13"
  glyph tool_pen -fill "$YELLOW" -draw "polygon 2,14 3,10 11,2 14,5 6,13"
  glyph tool_rectangle -fill none -draw "rectangle 2,3 13,12"
  glyph tool_ellipse -fill none -draw "ellipse 7.5,7.5 6.5,4.5 0,360"
  glyph tool_fill -fill "$PAPER" -draw "polygon 2,7 8,2 14,8 8,14" -fill "$BLUE" \
    -draw "ellipse 2.5,12 1.5,2 0,360"
  glyph play -fill "$GREEN" -draw "polygon 4,2 12,7 4,12"
  glyph stop -fill "$RED" -draw "rectangle 3,3 11,11"
}

# The map-editing cursors: a cross-hair with a white halo at the hot spot (8, 8) and the
# tool beside it; the zoom and pick cursors are the tool itself.
cursor() { # cursor <slot> <drawing>...
  local slot=$1
  shift
  png "cursor_$slot.png" 32x32 none +antialias -strokewidth 1 "$@"
}
cross() { # cross <x> <y> <arm>
  local x=$1 y=$2 a=$3
  printf '%s\n' -stroke white -strokewidth 3 -draw "line $((x - a)),$y $((x + a)),$y" \
    -draw "line $x,$((y - a)) $x,$((y + a))" -stroke black -strokewidth 1 \
    -draw "line $((x - a)),$y $((x + a)),$y" -draw "line $x,$((y - a)) $x,$((y + a))"
}
{
  IFS=$'\n'
  cursor 1 $(cross 8 8 6) $(INK=black dotted 14 14 26 24)
  cursor 2 -stroke black -fill white -draw "ellipse 9,9 7,7 0,360" -strokewidth 3 \
    -draw "line 15,15 22,22" -strokewidth 1 -draw "line 6,9 12,9" -draw "line 9,6 9,12"
  cursor 3 $(cross 8 8 6) -fill white -draw "polygon 16,18 24,12 30,20 22,27" -fill black \
    -draw "ellipse 15,24.5 2,2.5 0,360"
  cursor 4 $(cross 8 8 6) -fill white -draw "polygon 13,13 16,12 28,24 25,27 12,16"
  cursor 5 $(cross 8 8 7)
  cursor 6 -stroke black -fill white -draw "polygon 1,1 4,1 14,11 11,14 1,4" -fill black \
    -draw "rectangle 12,12 18,18"
  cursor 7 $(cross 8 8 7)
  cursor 8 $(cross 8 8 6) -fill none -draw "rectangle 14,14 28,24"
  cursor 9 $(cross 8 8 6) -fill none -draw "ellipse 21,19 7,5 0,360"
}

# The start-position marks: a strip of five square marks (party, boat, ship, airship, plain
# event) for each map scale, 32, 16, 8 and 4 pixels a cell; a black frame from 8 pixels on,
# a white letter from 16 on. Only these colours are used: the map view reads the strips as
# 8-bit pictures with a fixed palette.
IFS=$' \t\n'
MARK_FILLS=('#d03828' '#3868d0' '#28a0a0' '#9048c0' '#808080')
# 5 x 5 letters, a row a word: P, B, S, A, E.
MARK_LETTERS=('11110 10001 11110 10000 10000' '11110 10001 11110 10001 11110'
  '01111 10000 01110 00001 11110' '01110 10001 11111 10001 10001'
  '11111 10000 11110 10000 11111')
strip=1
for cell in 32 16 8 4; do
  args=()
  unit=$((cell / 8)) inset=$(((cell - 5 * (cell / 8)) / 2))
  for ((m = 0; m < 5; m++)); do
    left=$((m * cell))
    args+=(-fill "${MARK_FILLS[m]}" -draw "rectangle $left,0 $((left + cell - 1)),$((cell - 1))")
    ((cell < 8)) || args+=(-fill none -stroke black -draw "rectangle $left,0 $((left + cell - 1)),$((cell - 1))" -stroke none)
    ((unit < 2)) && continue
    row=0
    for bits in ${MARK_LETTERS[m]}; do
      for ((col = 0; col < 5; col++)); do
        [ "${bits:col:1}" = 1 ] || continue
        x=$((left + inset + col * unit)) y=$((inset + row * unit))
        args+=(-fill white -draw "rectangle $x,$y $((x + unit - 1)),$((y + unit - 1))")
      done
      row=$((row + 1))
    done
  done
  png "startpos_$strip.png" "$((cell * 5))x$cell" black +antialias -stroke none "${args[@]}"
  strip=$((strip + 1))
done

# The cell labels of the battle-animation stage: three rows of eight 16 x 16 labels
# (cells 1 to 8) on black, which the stage draws as transparent: red for the cells of the
# frame, white for the selected cell, blue for the cells of the frame before.
MARKER_DIGITS=('010 110 010 010 111' '111 001 111 100 111' '111 001 111 001 111'
  '101 101 111 001 001' '111 100 111 001 111' '111 100 111 101 111' '111 001 010 010 010'
  '111 101 111 101 111')
MARKER_BOXES=('#ff0000' '#ffffff' '#0000ff') MARKER_INKS=('#ffffff' '#202020' '#ffffff')
args=()
for ((r = 0; r < 3; r++)); do
  for ((c = 0; c < 8; c++)); do
    left=$((c * 16)) top=$((r * 16))
    args+=(-fill "${MARKER_BOXES[r]}" -draw "rectangle $left,$top $((left + 9)),$((top + 13))")
    row=0
    for bits in ${MARKER_DIGITS[c]}; do
      for ((col = 0; col < 3; col++)); do
        [ "${bits:col:1}" = 1 ] || continue
        x=$((left + 2 + col * 2)) y=$((top + 2 + row * 2))
        args+=(-fill "${MARKER_INKS[r]}" -draw "rectangle $x,$y $((x + 1)),$((y + 1))")
      done
      row=$((row + 1))
    done
  done
done
png cell_markers.png 128x48 black +antialias -stroke none "${args[@]}"

# The map tree's node images, 16 x 16 on white, which the tree takes as their mask colour:
# the project, a map sheet with its grid, an area's dashed frame.
png tree_root.png 16x16 white +antialias -strokewidth 1 -stroke '#14285a' -fill '#2850aa' \
  -draw "rectangle 2,2 13,13" -stroke none -fill '#e6e6fa' -draw "rectangle 4,4 11,6"
png tree_map.png 16x16 white +antialias -strokewidth 1 -stroke '#1e5a1e' -fill '#46a046' \
  -draw "rectangle 2,2 14,14" -draw "line 6,2 6,14" -draw "line 10,2 10,14" \
  -draw "line 2,6 14,6" -draw "line 2,10 14,10"
args=()
for segment in "2,3 4,3" "7,3 8,3" "11,3 13,3" "2,12 4,12" "7,12 8,12" "11,12 13,12" \
  "2,3 2,5" "2,7 2,8" "2,10 2,12" "13,3 13,5" "13,7 13,8" "13,10 13,12"; do
  args+=(-draw "line $segment")
done
png tree_area.png 16x16 white +antialias -strokewidth 1 -stroke '#d26e14' "${args[@]}" \
  -stroke none -fill '#f0b45a' -draw "rectangle 5,6 10,9"

# The scale buttons of the map pickers (32, 16 and 8 pixels a cell): a sheet whose grid is
# as fine as the scale is small.
for tag in 1 2 3; do
  step=$((16 >> tag)) args=()
  for ((k = step; k < 15; k += step)); do
    args+=(-draw "line $k,0 $k,15" -draw "line 0,$k 15,$k")
  done
  png "picker_scale_$tag.png" 16x16 white +antialias -strokewidth 1 -stroke '#282828' \
    -fill white -draw "rectangle 0,0 15,15" "${args[@]}"
done

# The material manager's list glyphs, 14 x 14 on transparency: a folder, and one for each
# kind of material (image, movie, music, sound).
material() { # material <name> <drawing>...
  local name=$1
  shift
  png "material_$name.png" 14x14 none +antialias -strokewidth 1 -stroke "$INK" "$@"
}
material folder -fill '#e8c860' -draw "rectangle 1,4 12,12" -draw "rectangle 1,2 6,4"
material image -fill '#96c8f0' -draw "rectangle 1,2 12,12" -fill '#509650' \
  -draw "polygon 2,12 6,7 8,9 9,8 11,12"
args=()
for y in 2 5 8 11; do args+=(-draw "point 2,$y" -draw "point 11,$y"); done
material movie -fill '#3c3c46' -draw "rectangle 1,1 12,12" -stroke none -fill white "${args[@]}"
material music -fill "$INK" -draw "ellipse 4,10.5 2,1.5 0,360" -draw "ellipse 10,9.5 2,1.5 0,360" \
  -draw "line 5,10 5,2" -draw "line 11,9 11,1" -draw "line 5,2 11,1"
material sound -fill '#c8c8d2' -draw "polygon 1,5 4,5 8,1 8,12 4,8 1,8" -fill none \
  -draw "arc 7,3 12,10 -60,60"

# The wheel-panning cursors, 32 x 32 on transparency with the hot spot at (16, 16): a ring,
# and an arrow head for each way the view can move.
wheel() { # wheel <name> <arrow heads, from n s w e nw ne sw se>...
  local name=$1 head args=()
  shift
  for head in "$@"; do
    case $head in
    n) args+=(-draw "polygon 16,2 11,7 21,7") ;;
    s) args+=(-draw "polygon 16,30 11,25 21,25") ;;
    w) args+=(-draw "polygon 2,16 7,11 7,21") ;;
    e) args+=(-draw "polygon 30,16 25,11 25,21") ;;
    nw) args+=(-draw "polygon 3,3 10,3 3,10") ;;
    ne) args+=(-draw "polygon 29,3 22,3 29,10") ;;
    sw) args+=(-draw "polygon 3,29 10,29 3,22") ;;
    se) args+=(-draw "polygon 29,29 22,29 29,22") ;;
    esac
  done
  png "wheel_$name.png" 32x32 none +antialias -strokewidth 1 -stroke black -fill white \
    -draw "ellipse 16,16 3,3 0,360" "${args[@]}"
}
wheel nswe n s w e
wheel ns n s
wheel we w e
for head in n s w e nw ne sw se; do wheel "$head" "$head"; done

# The folder of the project list.
png folder.png 16x16 none +antialias -strokewidth 1 -stroke "$INK" -fill "$YELLOW" \
  -draw "rectangle 1,4 14,13" -draw "rectangle 1,2 6,4"

# The emblem: a map sheet with a path over it, in a 32-unit square.
emblem() { # emblem <x> <y> <units per pixel>
  printf '%s\n' -draw "translate $1,$2 scale $3,$3 stroke '$INK' stroke-width 1.5 fill '#ecd08c' roundrectangle 3,5 29,27 3,3" \
    -draw "translate $1,$2 scale $3,$3 stroke none fill '#60a058' ellipse 10.5,11.5 4.5,3.5 0,360 fill '#4878c8' ellipse 22,20 5,4 0,360" \
    -draw "translate $1,$2 scale $3,$3 fill none stroke '#b02828' stroke-width 2 stroke-dasharray 4 2 path 'M 7,23 C 12,14 19,20 25,9'"
}
IFS=$'\n'
# shellcheck disable=SC2046
png program_icon.png 32x32 none $(emblem 0 0 1)
# shellcheck disable=SC2046
convert -size 512x256 'gradient:#203060-#78588c' -stroke none -fill '#386048' \
  -draw "ellipse 120,260 200,80 0,360" -fill '#284c3c' -draw "ellipse 430,271 210,75 0,360" \
  $(emblem 32 40 4) -define png:exclude-chunks=date,time,tIME +set date:create \
  +set date:modify PNG24:splash.png

# The rank marks of the database pages, A to E: a white letter on a badge that runs from
# green (A, strongest) to grey (E).
RANK_FILLS=('#389648' '#3868c8' '#c8a028' '#c86428' '#808080')
r=0
for rank in a b c d e; do
  letter_text=$(printf '%s' "$rank" | tr a-e A-E)
  png "rank_$rank.png" 16x16 none +antialias -stroke "$INK" -fill "${RANK_FILLS[r]}" \
    -draw "roundrectangle 0,0 15,15 3,3" -stroke none -fill white -font "$FONT" -pointsize 11 \
    -gravity center -annotate +0+0 "$letter_text"
  r=$((r + 1))
done

# The chipset page's label sheets, 80 x 48 on transparency: the digits 0 to 9 in 8 x 16
# cells along the top, then ten 16 x 16 symbols in two rows of five (circle, X, star,
# square, counter, the arrows down, left, right and up, and the closed mark). The plain
# sheet is white on black, the one for the chip under the mouse yellow on red.
labels() { # labels <file> <fill> <outline>
  local file=$1 fill=$2 line=$3 args=() d x y
  for ((d = 0; d < 10; d++)); do
    x=$((d * 8))
    for offset in "-1+0" "+1+0" "+0-1" "+0+1"; do
      args+=(-fill "$line" -annotate "+$((x + 1 + ${offset%[+-]*}))+$((1 + ${offset#[+-]?}))" "$d")
    done
    args+=(-fill "$fill" -annotate "+$((x + 1))+1" "$d")
  done
  symbol() { # symbol <n> <draw primitive in cell co-ordinates>
    local sx=$((($1 % 5) * 16)) sy=$((16 + ($1 / 5) * 16))
    args+=(-draw "translate $sx,$sy $2")
  }
  args+=(-stroke "$line" -strokewidth 1 -fill "$fill")
  symbol 0 "fill none stroke '$line' stroke-width 4 ellipse 7.5,7.5 5,5 0,360 stroke '$fill' stroke-width 2 ellipse 7.5,7.5 5,5 0,360"
  symbol 1 "stroke '$line' stroke-width 4 line 3,3 12,12 line 12,3 3,12 stroke '$fill' stroke-width 2 line 3,3 12,12 line 12,3 3,12"
  symbol 2 "polygon 7.5,1 9.4,5.6 14.5,6 10.6,9.2 11.8,14 7.5,11.4 3.2,14 4.4,9.2 0.5,6 5.6,5.6"
  symbol 3 "rectangle 3,3 12,12"
  symbol 4 "rectangle 1,5 14,8 rectangle 3,8 5,13 rectangle 10,8 12,13"
  symbol 5 "polygon 3,5 12,5 7.5,11"
  symbol 6 "polygon 10,3 10,12 4,7.5"
  symbol 7 "polygon 5,3 5,12 11,7.5"
  symbol 8 "polygon 3,10 12,10 7.5,4"
  symbol 9 "rectangle 5,6 10,9"
  png "$file" 80x48 none +antialias -font DejaVu-Sans-Mono-Bold -pointsize 12 -gravity northwest \
    -stroke none "${args[@]}"
}
labels chip_labels.png white black
labels chip_highlight.png '#ffe040' '#c83830'
