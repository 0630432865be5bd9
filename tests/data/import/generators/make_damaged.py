# Damaged .xlsx files made from the LibreOffice one: the shared strings part left out, and a sheet
# part whose declared size is far beyond what any film list needs (a ZIP bomb's signature).
import zipfile, struct
src = zipfile.ZipFile('out/filme.xlsx')
with zipfile.ZipFile('out/ohne-sharedstrings.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
    for i in src.infolist():
        if i.filename != 'xl/sharedStrings.xml':
            z.writestr(i.filename, src.read(i.filename))
with zipfile.ZipFile('out/bombe.xlsx', 'w', zipfile.ZIP_DEFLATED) as z:
    for i in src.infolist():
        data = src.read(i.filename)
        if i.filename == 'xl/worksheets/sheet1.xml':
            data = data.replace(b'<sheetData>', b'<sheetData>' + b' ' * (3 * 1024 * 1024))
        z.writestr(i.filename, data)
# The sheet's sizes in the central directory and the local header claim 3 GB.
b = bytearray(open('out/bombe.xlsx', 'rb').read())
name = b'xl/worksheets/sheet1.xml'
pos = 0
while True:
    pos = b.find(name, pos + 1)
    if pos < 0: break
    if b[pos-46:pos-42] == b'PK\x01\x02':
        struct.pack_into('<I', b, pos - 46 + 24, 3 * 1024 ** 3)
    elif b[pos-30:pos-26] == b'PK\x03\x04':
        struct.pack_into('<I', b, pos - 30 + 22, 3 * 1024 ** 3)
open('out/bombe.xlsx', 'wb').write(bytes(b))
