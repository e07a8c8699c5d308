#!/usr/bin/env bash
# Scene: the FLAC plug-in decodes a FLAC and an Ogg FLAC file through the stand-in audio library, bit-exact with the reference decoder
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
decoder="$LUMOX_BUILD/tools/flacdecode/flacdecode.exe"

# Three seconds of a chord over a little noise, 44.1 kHz 16-bit stereo.
ffmpeg -v error -f lavfi -i "aevalsrc=0.3*sin(2*PI*220*t)+0.2*sin(2*PI*330*t)+0.02*(random(0)-0.5)|0.3*sin(2*PI*277*t)+0.02*(random(1)-0.5):s=44100:d=3" \
  -bitexact -c:a pcm_s16le "$work/chord.wav"
flac -s -f -o "$work/chord.flac" "$work/chord.wav"
flac -s -f --ogg -o "$work/chord.oga" "$work/chord.wav"

for file in chord.flac chord.oga; do
  echo "--- flacdecode $file chord-$file.wav"
  $LUMOX_WINE "$decoder" "Z:${work//\//\\}\\$file" "Z:${work//\//\\}\\chord-$file.wav"
  flac -s -f -d -o "$work/reference-$file.wav" "$work/$file"
  if cmp -s "$work/reference-$file.wav" "$work/chord-$file.wav"; then
    echo "    $(stat -c %s "$work/chord-$file.wav") bytes, identical to flac -d"
  else
    echo "    DIFFERS from flac -d"; exit 1
  fi
done

echo "--- flacdecode --float chord.flac chord-float.wav"
$LUMOX_WINE "$decoder" --float "Z:${work//\//\\}\\chord.flac" "Z:${work//\//\\}\\chord-float.wav"
ffprobe -v error -show_entries stream=codec_name,sample_rate,channels,duration -of default=nw=1 "$work/chord-float.wav" | sed 's/^/    /'
