# CHANGELOG.md to a Debian changelog: each "## <version> (<date>)" entry
# becomes "<package> (<version><revision>) unstable", its paragraphs and
# bullets become "  * " items wrapped within 78 columns, and its date the
# trailer's, at midnight UTC.
#   awk -v package=P -v revision=-1 -v maintainer="Name <mail>" -f debian-changelog.awk CHANGELOG.md

function flush_item() {
  if (item == "") return
  count = split(item, words, " ")
  line = "  *"
  for (i = 1; i <= count; i++) {
    if (length(line) + 1 + length(words[i]) > 78 && line != "  *") {
      print line
      line = "   "
    }
    line = line " " words[i]
  }
  print line
  item = ""
}

function finish_entry() {
  flush_item()
  if (date == "") return
  command = "date -u -R -d " date
  command | getline stamp
  close(command)
  print ""
  print " -- " maintainer "  " stamp
  date = ""
}

/^## / {
  finish_entry()
  if (entries++) print ""
  version = $2
  date = $3
  gsub(/[()]/, "", date)
  print package " (" version revision ") unstable; urgency=medium"
  print ""
  next
}
date == "" { next }            # the file's own heading and introduction
/^$/ { flush_item(); next }
/^- / { flush_item(); sub(/^- /, ""); item = $0; next }
{ sub(/^ +/, ""); item = (item == "" ? $0 : item " " $0) }
END { finish_entry() }
