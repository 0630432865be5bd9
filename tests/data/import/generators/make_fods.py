# Writes filme.fods: the film sheet used for the LibreOffice fixtures.
import html
rows = []
def cell(v, kind='s', style=None, formula=None):
    st = f' table:style-name="{style}"' if style else ''
    fo = f' table:formula="{html.escape(formula)}"' if formula else ''
    if v is None:
        return '<table:table-cell/>'
    if kind == 's':
        return f'<table:table-cell office:value-type="string"{fo}{st}><text:p>{html.escape(v)}</text:p></table:table-cell>'
    if kind == 'f':
        return f'<table:table-cell office:value-type="float" office:value="{v}"{fo}{st}><text:p>{v}</text:p></table:table-cell>'
    if kind == 'd':
        return f'<table:table-cell office:value-type="date" office:date-value="{v}"{fo} table:style-name="cdate"><text:p>{v}</text:p></table:table-cell>'
    if kind == 'b':
        return f'<table:table-cell office:value-type="boolean" office:boolean-value="{v}"{fo}><text:p>x</text:p></table:table-cell>'
header = ['Titel','Länge','Kategorie','Jahr','Sprachen','Werbung','Aufnahme','Medium','Formel','Wahr','Inhalt']
rows.append([cell(h) for h in header])
rows.append([cell('Alien'), cell(117,'f'), cell('Horror'), cell(1979,'f'), cell('Deutsch, Englisch'), cell('X'),
             cell('2001-05-12','d'), cell('Video-Cassette'), cell(234,'f',formula='of:=[.B2]*2'), cell('true','b'), cell('Im Weltraum')])
rows.append([cell('Élodie „Ça“ 5 €'), cell(117.5,'f'), cell(None), cell(1980,'f'), cell('englisch'), cell('x'),
             cell('1999-12-31','d'), cell('Blu-ray'), cell('Alien 2','s',formula='of:=[.A2]&" 2"'), cell('false','b'), cell(None)])
rows.append([cell(None)]*11)
rows.append([cell('Blade Runner'), cell(-3,'f'), cell('SF'), cell(0.25,'f'), cell(None), cell(None), cell(None), cell(None),
             cell(None,'s') if False else '<table:table-cell table:formula="of:=1/0" office:value-type="float" office:value="0"><text:p>#DIV/0!</text:p></table:table-cell>',
             cell('true','b',formula='of:=1=1'), cell('Regen')])
for i in range(6, 306):
    rows.append([cell(f'Film {i}'), cell(90 + i % 60,'f'), cell('Drama'), cell(1950 + i % 70,'f'), cell(None), cell(None),
                 cell(None), cell('DVD'), cell(None), cell(None),
                 cell(f'Inhalt Nummer {i:04d}: eine lange Beschreibung, die nur einmal vorkommt.')])
body = ''.join('<table:table-row>' + ''.join(r) + '</table:table-row>' for r in rows)
doc = f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<number:date-style style:name="N37"><number:day number:style="long"/><number:text>.</number:text><number:month number:style="long"/><number:text>.</number:text><number:year number:style="long"/></number:date-style>
<style:style style:name="cdate" style:family="table-cell" style:data-style-name="N37"/>
</office:automatic-styles>
<office:body><office:spreadsheet>
<table:table table:name="Filme">{body}</table:table>
<table:table table:name="Ignorieren"><table:table-row><table:table-cell office:value-type="string"><text:p>nicht lesen</text:p></table:table-cell></table:table-row></table:table>
</office:spreadsheet></office:body></office:document>'''
open('filme.fods','w',encoding='utf-8').write(doc)
