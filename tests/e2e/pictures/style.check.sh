# The pictures of a style scenario against the drawing rules (pictures.py): the backdrop on the
# first picture, the side picture on every page, and where the pages and dialogs were placed.
scenario=$(basename "$WORK")
name=${scenario#pictures_}
shots=(welcome)
if [ "$name" = style1 ]; then
    shots=(welcome destination setup-type group --popups no-space)
fi
python3 "$E2E_DIR/pictures/pictures.py" check "${name#style}" "$WORK" "${shots[@]}" ||
    check_fail "the screen does not follow the drawing rules (above)"
