<!DOCTYPE html>

<html lang         = "en" style="height:100%;">
<head>
  <meta http-equiv = "Content-type" content="text/html; charset=utf-8"/>
  <title>
    Canvas Printing - Prices
  </title>
  <link rel        = "stylesheet" href="css/master.css" type="text/css" media="screen" title="no title"/>
</head>
<body>
<?php include("menu_bar.php");?>
  <h1>Price Breakdown for Canvas Printing</h1>
  <h2>&nbsp;&nbsp;By Size:</h2>
  <table border    = "1">
    <tr>
      <th>Item</th>
      <th>Price</th>
    </tr>
    <tr>
      <td>Price</td>
      <td>0.25$ (Per Square Inch)</td>
    </tr>
    <tr>
      <td>Shipping</td>
      <td>10$ (Flat Fee)</td>
    <tr>
      <td rowspan>Tax</td>
      <td>13% (On Cost + Shipping)</td>
    </tr>
  </table>
</body>
</html>
