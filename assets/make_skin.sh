#!/usr/bin/env bash
# Makes the program's skin: the main window picture, the popup picture, every button
# face, the icons and the two sounds. The results are committed, so building the
# program needs none of the tools used here; run this again after changing the look.
#
# Needs ImageMagick 6 (/usr/bin/convert), the WenQuanYi Micro Hei font and Python 3.
#
# The faces of buttons drawn over the window picture ("transparent" buttons) are made
# on a copy of the picture's rectangle under the button, so that their anti-aliased
# edges blend into exactly what lies beneath; every pixel the shape does not touch
# at all, the top-left one included, is then set to the key colour magenta.
set -euo pipefail
cd "$(dirname "$0")"

IM=/usr/bin/convert
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
[ -x "$IM" ] || { echo "ImageMagick's convert is missing" >&2; exit 1; }
[ -f "$FONT" ] || { echo "the font $FONT is missing (fonts-wqy-microhei)" >&2; exit 1; }
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# ---- palette ----
HEAD_L='#1B4F8C' HEAD_R='#2C86C6'      # header band, left to right
ACCENT='#F5A623'                        # orange accents
NAV_T='#25394F' NAV_B='#1A2A3B'         # navigation column, top to bottom
BASE='#EDF2F7'                          # window base
PANEL='#F9FBFD' PANEL_LINE='#C3D0DD'    # page panel
INK='#24384D'                           # dark text
LINK='#1F5E9C'                          # blue text

W=605 H=441
NAV_W=148

# A 24-bit BMP without alpha, as the program loads it.
bmp() { "$IM" "$1" -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$2"; }

# ---- glyphs: white shapes on black at 64 x 64, used as masks ----
glyph_mask() {  # name draw...
  local name=$1; shift
  "$IM" -size 64x64 xc:black -fill white -stroke none "$@" "$TMP/glyph-$name.png"
}
glyph_mask user -draw "circle 32,20 32,8" -draw "ellipse 32,62 24,24 180,360"
glyph_mask globe -fill none -stroke white -strokewidth 5 -draw "circle 32,32 32,6" \
  -strokewidth 4 -draw "ellipse 32,32 11,26 0,360" -draw "line 6,32 58,32" \
  -strokewidth 3 -draw "line 11,19 53,19" -draw "line 11,45 53,45"
glyph_mask records -draw "rectangle 4,8 15,19" -draw "rectangle 22,10 60,17" \
  -draw "rectangle 4,27 15,38" -draw "rectangle 22,29 60,36" \
  -draw "rectangle 4,46 15,57" -draw "rectangle 22,48 60,55"
glyph_mask tree -draw "rectangle 23,3 41,19" -draw "rectangle 30,19 34,31" \
  -draw "rectangle 12,28 52,32" -draw "rectangle 12,28 16,43" -draw "rectangle 48,28 52,43" \
  -draw "rectangle 4,43 24,60" -draw "rectangle 40,43 60,60"
glyph_mask info -draw "circle 32,32 32,3" -fill black -draw "circle 32,17 32,11" \
  -draw "rectangle 27,26 37,51"
gear=(-draw "circle 32,32 32,10")
for a in 0 45 90 135 180 225 270 315; do gear+=(-draw "translate 32,32 rotate $a rectangle -6,-30 6,-16"); done
glyph_mask gear "${gear[@]}" -fill black -draw "circle 32,32 32,23"
glyph_mask pro -draw "polygon 32,3 40,23 61,24 45,37 51,59 32,47 13,59 19,37 3,24 24,23"
glyph_mask back -draw "polygon 4,32 30,8 30,22 60,22 60,42 30,42 30,56"

# A glyph of `size` pixels in `colour`, with the mask as its alpha.
glyph() {  # name size colour out
  "$IM" -size "$2x$2" "xc:$3" \( "$TMP/glyph-$1.png" -resize "$2x$2" \) \
    -alpha off -compose CopyOpacity -composite "$4"
}

# ---- the emblem: a globe with an orbit, drawn at 160 x 160 ----
# `weight` scales the globe's lines: small icons need them heavier.
emblem() {  # colour orbit-colour weight out
  local k=$3
  "$IM" -size 160x160 xc:none -fill none -stroke "$1" \
    -strokewidth $((9 * k / 10)) -draw "circle 80,80 80,26" \
    -strokewidth $((6 * k / 10)) -draw "ellipse 80,80 22,54 0,360" -draw "line 26,80 134,80" \
    -strokewidth $((5 * k / 10)) -draw "line 33,53 127,53" -draw "line 33,107 127,107" \
    -stroke "$2" -strokewidth 9 -draw "translate 80,80 rotate -28 ellipse 0,0 76,22 195,345" \
    -stroke none -fill "$2" -draw "translate 80,80 rotate -28 circle 74,-6 74,6" "$4"
}
emblem white "$ACCENT" 10 "$TMP/emblem-white.png"
emblem white "$ACCENT" 17 "$TMP/emblem-icon.png"

# ---- the main window picture ----
make_background() {
  # Header band with faint rings on the right.
  "$IM" -size 58x$W gradient:"$HEAD_L"-"$HEAD_R" -rotate -90 \
    -fill none -stroke 'rgba(255,255,255,0.10)' -strokewidth 2 \
    -draw "circle 560,96 560,36" -draw "circle 560,96 560,8" -draw "circle 560,96 560,-20" \
    -draw "circle 560,96 560,-48" \
    -stroke 'rgba(255,255,255,0.06)' -strokewidth 10 -draw "circle 470,150 470,40" \
    "$TMP/header.png"
  "$IM" -size ${NAV_W}x$((H - 60)) gradient:"$NAV_T"-"$NAV_B" "$TMP/nav.png"
  "$IM" -size ${W}x$H "xc:$BASE" \
    "$TMP/header.png" -geometry +0+0 -composite \
    -stroke none -fill "$ACCENT" -draw "rectangle 0,58 $((W - 1)),59" \
    "$TMP/nav.png" -geometry +0+60 -composite \
    \( "$TMP/emblem-white.png" -resize 42x42 \) -geometry +12+8 -composite \
    -gravity NorthWest -font "$FONT" -fill white -stroke white -strokewidth 0.6 -pointsize 24 \
    -annotate +64+6 "维特兰诺" \
    -stroke none -fill '#D4E6F6' -pointsize 12 -annotate +65+37 "动态域名客户端 · 用户配置" \
    -fill '#DCE4EC' -draw "roundrectangle 152,64 593,385 4,4" \
    -fill "$PANEL" -stroke "$PANEL_LINE" -strokewidth 1 -draw "roundrectangle 151.5,63.5 591.5,382.5 4,4" \
    -stroke none -fill '#3A5370' -draw "rectangle 19,392 145,392" \
    -fill '#6F88A3' -pointsize 12 -annotate +19+402 "维特兰诺 · 动态域名" \
    "$TMP/background.png"
  bmp "$TMP/background.png" background.bmp
}

# ---- faces over the picture ----

# Writes a face cut to `shape` (an ImageMagick draw primitive) from the content image,
# over the picture's rectangle x, y, w, h, with magenta wherever the shape is absent.
keyed_face() {  # picture x y w h shape content out
  local pic=$1 x=$2 y=$3 w=$4 h=$5 shape=$6 content=$7 out=$8
  "$IM" "$pic" -crop "${w}x${h}+${x}+${y}" +repage "$TMP/crop.png"
  "$IM" -size "${w}x${h}" xc:black -fill white -stroke none -draw "$shape" "$TMP/mask.png"
  "$IM" "$TMP/crop.png" "$content" "$TMP/mask.png" -compose over -composite \
    \( -size "${w}x${h}" xc:magenta \) \( "$TMP/mask.png" -threshold 0 -negate \) \
    -compose over -composite -fill magenta -draw "point 0,0" "$TMP/face.png"
  bmp "$TMP/face.png" "$out"
}

# Navigation faces, 127 x 33: idle, hover ("Up") and pressed/checked ("Down").
NAV_IDLE_SHAPE="roundrectangle 0.5,0.5 126.5,32.5 5,5"
NAV_DOWN_SHAPE="roundrectangle 0.5,0.5 120,32.5 4,4 polygon 112,0.5 126.6,16.5 112,32.5"
nav_faces() {  # name y glyph caption
  local name=$1 y=$2 g=$3 caption=$4
  glyph "$g" 16 '#8FB3D5' "$TMP/g-idle.png"
  glyph "$g" 16 '#9FD3FF' "$TMP/g-up.png"
  glyph "$g" 16 '#2C86C6' "$TMP/g-down.png"
  "$IM" -size 127x33 xc:'#2B425B' -stroke '#34506D' -fill none -draw "roundrectangle 0.5,0.5 126.5,32.5 5,5" \
    "$TMP/g-idle.png" -geometry +14+9 -composite \
    -stroke none -font "$FONT" -pointsize 13 -fill '#C9D7E5' -gravity West -annotate +40+0 "$caption" \
    "$TMP/c.png"
  keyed_face "$TMP/background.png" 19 "$y" 127 33 "$NAV_IDLE_SHAPE" "$TMP/c.png" "$name.bmp"
  "$IM" -size 33x127 gradient:'#3D6590'-'#33557A' -rotate -90 \
    -stroke '#5785B5' -fill none -draw "roundrectangle 0.5,0.5 126.5,32.5 5,5" \
    "$TMP/g-up.png" -geometry +14+9 -composite \
    -stroke none -font "$FONT" -pointsize 13 -fill white -gravity West -annotate +40+0 "$caption" \
    "$TMP/c.png"
  keyed_face "$TMP/background.png" 19 "$y" 127 33 "$NAV_IDLE_SHAPE" "$TMP/c.png" "${name}Up.bmp"
  "$IM" -size 127x33 "xc:$PANEL" -stroke none -fill "$ACCENT" -draw "rectangle 0,0 3,33" \
    "$TMP/g-down.png" -geometry +15+9 -composite \
    -font "$FONT" -pointsize 13 -fill "$HEAD_L" -stroke "$HEAD_L" -strokewidth 0.3 \
    -gravity West -annotate +41+0 "$caption" \
    "$TMP/c.png"
  keyed_face "$TMP/background.png" 19 "$y" 127 33 "$NAV_DOWN_SHAPE" "$TMP/c.png" "${name}Down.bmp"
}

# Command faces, 84 x 24: OK is the main action (blue), Cancel and Apply plain.
CMD_SHAPE="roundrectangle 0.5,0.5 83.5,23.5 4,4"
cmd_face() {  # x top bottom border text-colour caption shift out
  "$IM" -size 84x24 gradient:"$2"-"$3" \
    -fill none -stroke "$4" -strokewidth 1 -draw "$CMD_SHAPE" \
    -stroke none -font "$FONT" -pointsize 13 -fill "$5" -gravity Center -annotate "+0+$7" "$6" \
    "$TMP/c.png"
  keyed_face "$TMP/background.png" "$1" 386 84 24 "$CMD_SHAPE" "$TMP/c.png" "$8"
}
command_faces() {
  cmd_face 308 '#4A9BE0' '#2470B8' '#1D5E9E' white "确定" 0 btnOK.bmp
  cmd_face 308 '#62AEEC' '#2F82CA' '#1D5E9E' white "确定" 0 btnOKUp.bmp
  cmd_face 308 '#1F5F9F' '#2470B8' '#184E84' white "确定" 1 btnOKDown.bmp
  local b
  for b in "396 取消 btnCancel" "488 应用 btnApply"; do
    set -- $b
    cmd_face "$1" '#FFFFFF' '#E6EDF4' '#A7B9CB' "$INK" "$2" 0 "$3.bmp"
    cmd_face "$1" '#FFFFFF' '#EDF5FD' '#3A8FD6' "$LINK" "$2" 0 "$3Up.bmp"
    cmd_face "$1" '#D5E1EC' '#E3EBF3' '#8FA5BB' "$INK" "$2" 1 "$3Down.bmp"
  done
  cmd_face 488 '#F1F4F7' '#F1F4F7' '#CBD4DD' '#A3AEBA' "应用" 0 btnApplyDisabled.bmp
}

# The snapshot link buttons of the standard pages, drawn for the page panel's colour.
snap_faces() {  # name w glyph caption
  local name=$1 w=$2 g=$3 caption=$4 shape="roundrectangle 0.5,0.5 $(($2 - 1)).5,15.5 3,3"
  "$IM" -size "${w}x16" "xc:$PANEL" "$TMP/panel.png"
  local state fill line text gcol
  for state in "" Up Down; do
    case $state in
      "") fill='#EAF2FA' line='#A9C4DE' text="$LINK" gcol="$ACCENT" ;;
      Up) fill='#DCEBF9' line='#3A8FD6' text="$HEAD_L" gcol="$ACCENT" ;;
      Down) fill='#C9DDF1' line='#2C6FAE' text="$HEAD_L" gcol='#D98A0B' ;;
    esac
    glyph "$g" 12 "$gcol" "$TMP/g.png"
    "$IM" -size "${w}x16" "xc:$fill" -fill none -stroke "$line" -draw "$shape" \
      "$TMP/g.png" -geometry +5+2 -composite \
      -stroke none -font "$FONT" -pointsize 12 -fill "$text" -gravity West -annotate +21+0 "$caption" \
      "$TMP/c.png"
    keyed_face "$TMP/panel.png" 0 0 "$w" 16 "$shape" "$TMP/c.png" "$name$state.bmp"
  done
}

# ---- the popup ----
make_popup() {
  "$IM" -size 30x191 gradient:"$HEAD_L"-"$HEAD_R" -rotate -90 "$TMP/popup-head.png"
  glyph info 16 '#2C86C6' "$TMP/g-info.png"
  "$IM" -size 193x99 "xc:$PANEL" \
    "$TMP/popup-head.png" -geometry +1+1 -composite \
    -stroke none -fill "$ACCENT" -draw "rectangle 1,31 191,31" \
    \( "$TMP/emblem-white.png" -resize 20x20 \) -geometry +6+6 -composite \
    -gravity NorthWest -font "$FONT" -pointsize 12 -fill white -annotate +30+8 "维特兰诺 · 消息" \
    "$TMP/g-info.png" -geometry +10+49 -composite \
    -fill none -stroke '#3F6A96' -strokewidth 1 -draw "rectangle 0.5,0.5 192.5,98.5" \
    "$TMP/popup.png"
  bmp "$TMP/popup.png" popup.bmp
  # The close button is drawn plainly, so its faces are the picture under it with a cross.
  local cross="line 3.5,3.5 9.5,9.5 line 9.5,3.5 3.5,9.5"
  "$IM" "$TMP/popup.png" -crop 13x13+171+11 +repage \
    -fill none -stroke white -strokewidth 1.6 -draw "$cross" "$TMP/close.png"
  bmp "$TMP/close.png" PopupClose.bmp
  "$IM" "$TMP/popup.png" -crop 13x13+171+11 +repage \
    -stroke none -fill 'rgba(255,255,255,0.30)' -draw "roundrectangle 0,0 12,12 2,2" \
    -fill none -stroke white -strokewidth 1.6 -draw "translate 0.5,0.5 $cross" "$TMP/close.png"
  bmp "$TMP/close.png" PopupCloseDown.bmp
}

# ---- icons ----
icon_png() {  # size out emblem-colour tile-top tile-bottom
  local s=$1 r=$(( $1 / 5 ))
  "$IM" -size "${s}x${s}" gradient:"$4"-"$5" \
    \( -size "${s}x${s}" xc:black -fill white -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \) \
    -alpha off -compose CopyOpacity -composite \
    \( "$TMP/emblem-$3.png" -resize "$((s * 9 / 10))x$((s * 9 / 10))" \) \
    -gravity center -compose over -composite "$2"
}
make_icons() {
  local name colours
  for name in VTUserCnfg Online Offline; do
    case $name in
      VTUserCnfg) colours=("$HEAD_R" "$HEAD_L") ;;
      Online) colours=('#3CB371' '#237A4B') ;;
      Offline) colours=('#9AA7B4' '#66737F') ;;
    esac
    icon_png 32 "$TMP/$name-32.png" icon "${colours[@]}"
    icon_png 16 "$TMP/$name-16.png" icon "${colours[@]}"
    "$IM" "$TMP/$name-16.png" "$TMP/$name-32.png" "$name.ico"
  done
}

# ---- the setup program's pictures (not shipped next to the program) ----
# The wizard picture (164 x 314) on the first and last page, and the header picture
# (150 x 57) at the right of the other pages' white header band.
make_setup_pictures() {
  "$IM" -size 164x314 gradient:"$HEAD_L"-"$NAV_B" \
    -fill none -stroke 'rgba(255,255,255,0.08)' -strokewidth 2 \
    -draw "circle 150,300 150,220" -draw "circle 150,300 150,180" -draw "circle 150,300 150,140" \
    \( "$TMP/emblem-white.png" -resize 96x96 \) -geometry +34+40 -composite \
    -stroke none -fill "$ACCENT" -draw "rectangle 34,176 129,177" \
    -gravity North -font "$FONT" -fill white -stroke white -strokewidth 0.6 -pointsize 24 \
    -annotate +0+140 "维特兰诺" \
    -stroke none -fill '#D4E6F6' -pointsize 12 -annotate +0+188 "动态域名客户端" \
    "$TMP/wizard.png"
  bmp "$TMP/wizard.png" SetupWizard.bmp
  icon_png 44 "$TMP/setup-tile.png" icon "$HEAD_R" "$HEAD_L"
  "$IM" -size 150x57 xc:white "$TMP/setup-tile.png" -geometry +100+6 -composite \
    "$TMP/setup-header.png"
  bmp "$TMP/setup-header.png" SetupHeader.bmp
}

if [ "${1:-}" = setup ]; then  # only the setup program's pictures
  make_setup_pictures
  exit 0
fi

make_background
nav_faces btnUser 72 user "用户信息"
nav_faces btnDns 120 globe "域名设置"
nav_faces btnRRs 168 records "资源记录"
nav_faces btnHierarchy 216 tree "域名层次"
nav_faces btnInfo 264 info "站点信息"
nav_faces btnOptions 312 gear "选项设置"
command_faces
snap_faces SnapPro 135 pro "查看专业版快照"
snap_faces SnapBack 95 back "返回标准页"
make_popup
make_icons
make_setup_pictures
python3 make_sounds.py
echo "skin written to $(pwd)"
