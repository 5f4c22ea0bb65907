# DATA.TXT is let go however the test ended.
touch "$WORK/RELEASE.TXT"
