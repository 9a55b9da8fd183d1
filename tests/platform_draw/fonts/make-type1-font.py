# Writes a tiny Type 1 font (.notdef and a box for "A") whose family name is
# "Pélican Test" in UTF-8: eexec-encrypted private part, charstrings
# encrypted with lenIV 4. Usage: python3 make-type1-font.py OUT.pfa
import sys
def enc(data, r):
    out=bytearray()
    for b in data:
        c = b ^ (r >> 8)
        r = ((c + r) * 52845 + 22719) & 0xFFFF
        out.append(c)
    return bytes(out)
def num(v):
    if -107 <= v <= 107: return bytes([v+139])
    if 108 <= v <= 1131: v-=108; return bytes([v//256+247, v%256])
    if -1131 <= v <= -108: v=-v-108; return bytes([v//256+251, v%256])
    raise ValueError
def cs(ops): return enc(b'\0\0\0\0'+ops, 4330)
notdef = cs(num(0)+num(500)+bytes([13,14]))
# a box for A: hsbw, rmoveto, rlineto x3, closepath, endchar
box = cs(num(0)+num(600)+bytes([13]) + num(50)+num(0)+bytes([21]) + num(500)+num(0)+bytes([5]) + num(0)+num(700)+bytes([5]) + num(-500)+num(0)+bytes([5]) + bytes([9,14]))
family = 'Pélican Test'.encode('utf-8')
priv = b'dup /Private 8 dict dup begin\n/RD {string currentfile exch readstring pop} executeonly def\n/ND {noaccess def} executeonly def\n/NP {noaccess put} executeonly def\n/BlueValues [] ND\n/MinFeature {16 16} ND\n/password 5839 def\n/lenIV 4 def\n2 index /CharStrings 2 dict dup begin\n'
priv += b'/.notdef %d RD ' % len(notdef) + notdef + b' ND\n'
priv += b'/A %d RD ' % len(box) + box + b' ND\n'
priv += b'end\nend\nreadonly put\nnoaccess put\ndup /FontName get exch definefont pop\nmark currentfile closefile\n'
e = enc(b'\0\0\0\0'+priv, 55665)
head = b'%!PS-AdobeFont-1.0: PelicanTest 001.000\n11 dict begin\n/FontInfo 3 dict dup begin\n/FamilyName (' + family + b') readonly def\n/FullName (' + family + b') readonly def\n/Weight (Regular) readonly def\nend readonly def\n/FontName /PelicanTest def\n/Encoding StandardEncoding def\n/PaintType 0 def\n/FontType 1 def\n/FontMatrix [0.001 0 0 0.001 0 0] readonly def\n/FontBBox {0 0 600 700} readonly def\ncurrentdict end\ncurrentfile eexec\n'
hexs = e.hex()
lines = '\n'.join(hexs[i:i+64] for i in range(0,len(hexs),64)).encode()
tail = b'\n' + (b'0'*64+b'\n')*8 + b'cleartomark\n'
open(sys.argv[1],'wb').write(head+lines+tail)
