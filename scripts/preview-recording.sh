#!/bin/bash
# make preview's first step. A start of the program keeps the last recording aside as
# filename-N.txt and leaves filename.txt empty: then name the newest kept recording and how to
# preview it, and fail, rather than let the tools say only that the file holds no key points.
set -u
path=$1
[ -s "$path" ] && exit 0
folder=$(dirname -- "$path")
name=$(basename -- "$path")
stem=${name%.*}
ext=${name#"$stem"}
newest=0
for kept in "$folder/$stem"-*"$ext"; do
    number=${kept#"$folder/$stem-"}
    number=${number%"$ext"}
    [[ $number =~ ^[0-9]{1,9}$ ]] && ((10#$number > newest)) && newest=$((10#$number))
done
((newest > 0)) || exit 0
kept="$stem-$newest$ext"
[ "$folder" = . ] || kept="$folder/$kept"
echo "$path holds no key points; the newest recording is $kept. Preview it with:" >&2
echo "  make preview PREVIEW_PATH=$kept" >&2
exit 1
