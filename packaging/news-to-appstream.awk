# SPDX-License-Identifier: GPL-3.0-or-later
# NEWS.md (Keep a Changelog) to AppStream <release> elements, newest first: one per
# "## [x.y.z] - YYYY-MM-DD" heading, each item of its sections a list item ("Added: ...").
function escape(text) {
    gsub(/&/, "\\&amp;", text)
    gsub(/</, "\\&lt;", text)
    gsub(/>/, "\\&gt;", text)
    gsub(/`/, "", text)
    return text
}
function end_item() {
    if (item != "")
        items = items "          <li>" escape(item) "</li>\n"
    item = ""
}
function end_release() {
    end_item()
    if (version != "" && items != "")
        printf "    <release version=\"%s\" date=\"%s\">\n      <description>\n        <ul>\n%s        </ul>\n      </description>\n    </release>\n", version, date, items
    version = ""
    items = ""
}
/^## \[[0-9]+\.[0-9]+\.[0-9]+\] - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/ {
    end_release()
    version = substr($2, 2, length($2) - 2)
    date = $4
    next
}
/^## / { end_release(); next }
/^### / { end_item(); section = substr($0, 5); next }
/^- / { end_item(); if (version != "") item = section ": " substr($0, 3); next }
/^  +[^ ]/ { if (item != "") { line = $0; sub(/^ +/, "", line); item = item " " line }; next }
{ end_item() }
END { end_release() }
