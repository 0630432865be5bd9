# Writes filme-xlwt.xls with python3-xlwt: a shared-string table long enough for CONTINUE records,
# with UTF-16 strings split across them, numbers (RK and NUMBER), dates, booleans, blank cells.
import datetime, xlwt
wb = xlwt.Workbook(encoding='utf-8')
ws = wb.add_sheet('Filme')
date = xlwt.easyxf(num_format_str='DD.MM.YYYY')
boxed = xlwt.easyxf('borders: left thin')
ws.write(0, 1, 'Titel'); ws.write(0, 2, 'Länge'); ws.write(0, 3, 'Datum'); ws.write(0, 4, 'Werbung'); ws.write(0, 5, 'Inhalt')
ws.write(1, 1, 'Alien'); ws.write(1, 2, 117); ws.write(1, 3, datetime.date(2001, 5, 12), date); ws.write(1, 4, True)
ws.write(1, 5, 'Im Weltraum hört dich niemand schreien – „Kult“ für 5 €')
ws.write(2, 1, 'Élodie'); ws.write(2, 2, 117.5); ws.write(2, 3, datetime.date(1900, 1, 1), date); ws.write(2, 4, False)
ws.write(3, 1, '', boxed); ws.write(3, 2, '', boxed); ws.write(3, 3, '', boxed)
ws.write(4, 1, 'Groß'); ws.write(4, 2, 123456789.25); ws.write(4, 3, -12.5)
for i in range(5, 205):
    ws.write(i, 1, f'Film {i}')
    ws.write(i, 2, i)
    ws.write(i, 5, f'Inhalt {i:04d} – ein Text mit Euro € und Anführungszeichen „so“, der nur hier vorkommt.')
wb.add_sheet('Zweites').write(0, 0, 'nicht lesen')
wb.save('out/filme-xlwt.xls')

wb = xlwt.Workbook(encoding='utf-8')
wb.dates_1904 = True
ws = wb.add_sheet('Filme')
ws.write(0, 0, 'Alien'); ws.write(0, 1, datetime.date(2001, 5, 12), date)
wb.save('out/datum-1904.xls')
